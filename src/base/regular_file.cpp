#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace {
constexpr std::size_t kPieceSize = 1 << 16;
}  // namespace

int openRegularFile(const char* name) {
  // Looked at before opening, so a FIFO without a writer or a device is
  // never opened; opened without waiting and looked at again, in case the
  // name was replaced in between; then reads wait as usual again.
  struct stat info;
  if (name[0] == '\0' || ::stat(name, &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

RegularFileInput::FdBuffer::FdBuffer() : space_(new char[kPieceSize]) {}

RegularFileInput::FdBuffer::int_type RegularFileInput::FdBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  ssize_t count;
  do {
    count = ::read(fd_, space_.get(), kPieceSize);
  } while (count < 0 && errno == EINTR);
  if (count <= 0) return traits_type::eof();
  setg(space_.get(), space_.get(), space_.get() + count);
  return traits_type::to_int_type(*gptr());
}

RegularFileInput::FdBuffer::pos_type RegularFileInput::FdBuffer::seekoff(
    off_type offset, std::ios_base::seekdir from, std::ios_base::openmode) {
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
  setg(space_.get(), space_.get(), space_.get());  // read afresh from `at`
  return pos_type(at);
}

RegularFileInput::FdBuffer::pos_type RegularFileInput::FdBuffer::seekpos(
    pos_type position, std::ios_base::openmode which) {
  return seekoff(off_type(position), std::ios_base::beg, which);
}

RegularFileInput::~RegularFileInput() {
  if (fd_ >= 0) ::close(fd_);
}

bool RegularFileInput::open(const char* name) {
  int fd = openRegularFile(name);
  if (fd < 0) return false;
  fd_ = fd;
  buffer_.attach(fd);
  return true;
}
