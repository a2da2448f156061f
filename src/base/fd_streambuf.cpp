#include "base/fd_streambuf.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

ssize_t readRetrying(int fd, void* buffer, std::size_t size) {
  ssize_t count;
  do {
    count = ::read(fd, buffer, size);
  } while (count < 0 && errno == EINTR);
  return count;
}

}  // namespace

FdStreamBuf::FdStreamBuf(std::size_t bufferSize) : space_(bufferSize) {}

void FdStreamBuf::attachForReading(int fd, ReadFunction read, std::ostream* tie) {
  fd_ = fd;
  read_ = read != nullptr ? read : readRetrying;
  tie_ = tie;
  setg(space_.data(), space_.data(), space_.data());
  setp(nullptr, nullptr);
}

void FdStreamBuf::attachForWriting(int fd) {
  fd_ = fd;
  failed_ = false;
  setg(nullptr, nullptr, nullptr);
  setp(space_.data(), space_.data() + space_.size());
}

FdStreamBuf::int_type FdStreamBuf::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (read_ == nullptr) return traits_type::eof();
  if (tie_ != nullptr) tie_->flush();
  // Nothing is held while a read waits: a read that throws (the console's,
  // on a signal) leaves no bytes typed ahead behind.
  setg(space_.data(), space_.data(), space_.data());
  const ssize_t count = read_(fd_, space_.data(), space_.size());
  if (count <= 0) return traits_type::eof();
  setg(space_.data(), space_.data(), space_.data() + count);
  return traits_type::to_int_type(*gptr());
}

bool FdStreamBuf::writeAll(const char* bytes, std::size_t count) {
  const char* next = bytes;
  const char* end = bytes + count;
  while (!failed_ && next < end) {
    ssize_t written = ::write(fd_, next, static_cast<std::size_t>(end - next));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failed_ = true;
    } else {
      next += written;
    }
  }
  return !failed_;
}

bool FdStreamBuf::drain() {
  writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(space_.data(), space_.data() + space_.size());
  return !failed_;
}

std::streamsize FdStreamBuf::xsputn(const char* bytes, std::streamsize count) {
  if (pbase() == nullptr || count <= 0) return 0;
  const auto size = static_cast<std::size_t>(count);
  const auto room = static_cast<std::size_t>(epptr() - pptr());
  if (size <= room) {
    std::memcpy(pptr(), bytes, size);
    pbump(static_cast<int>(count));
    return count;
  }
  if (!drain()) return 0;
  if (size < space_.size()) {
    std::memcpy(pptr(), bytes, size);
    pbump(static_cast<int>(count));
    return count;
  }
  return writeAll(bytes, size) ? count : 0;
}

std::size_t FdStreamBuf::readSome(char* buffer, std::size_t size) {
  if (gptr() < egptr()) {
    std::size_t held = static_cast<std::size_t>(egptr() - gptr());
    if (held > size) held = size;
    std::memcpy(buffer, gptr(), held);
    gbump(static_cast<int>(held));
    return held;
  }
  if (read_ == nullptr) return 0;
  if (tie_ != nullptr) tie_->flush();
  const ssize_t count = read_(fd_, buffer, size);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

FdStreamBuf::int_type FdStreamBuf::overflow(int_type c) {
  if (pbase() == nullptr || !drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int FdStreamBuf::sync() { return pbase() == nullptr || drain() ? 0 : -1; }

FdStreamBuf::pos_type FdStreamBuf::seekoff(off_type offset, std::ios_base::seekdir from,
                                           std::ios_base::openmode) {
  if (read_ == nullptr) return pos_type(off_type(-1));
  int whence = SEEK_SET;
  if (from == std::ios_base::cur) {
    // The descriptor stands past the bytes read ahead and not yet taken.
    offset -= egptr() - gptr();
    whence = SEEK_CUR;
  } else if (from == std::ios_base::end) {
    whence = SEEK_END;
  }
  const off_t at = ::lseek(fd_, offset, whence);
  if (at < 0) return pos_type(off_type(-1));
  setg(space_.data(), space_.data(), space_.data());  // read afresh from `at`
  return pos_type(at);
}

FdStreamBuf::pos_type FdStreamBuf::seekpos(pos_type position, std::ios_base::openmode which) {
  return seekoff(off_type(position), std::ios_base::beg, which);
}
