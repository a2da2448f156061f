#include "treefiles/safe_replace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "tree/my_exception.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// The permissions a file created with open(..., 0666) would get.
mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The name `target` leads to when it is a symbolic link; else itself.
std::string followLink(const std::string& target) {
  struct stat info;
  if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
  char* real = ::realpath(target.c_str(), nullptr);
  if (real == nullptr) return target;
  std::string resolved = real;
  std::free(real);
  return resolved;
}

}  // namespace

SafeReplace::FdBuffer::FdBuffer() : space_(kBufferSize) {
  setp(space_.data(), space_.data() + space_.size());
}

bool SafeReplace::FdBuffer::drain() {
  const char* next = pbase();
  while (!failed_ && next < pptr()) {
    ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failed_ = true;
    } else {
      next += written;
    }
  }
  setp(space_.data(), space_.data() + space_.size());
  return !failed_;
}

SafeReplace::FdBuffer::int_type SafeReplace::FdBuffer::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int SafeReplace::FdBuffer::sync() { return drain() ? 0 : -1; }

SafeReplace::SafeReplace(const char* target) : target_(target), stream_(&buffer_) {}

SafeReplace::~SafeReplace() { discard(); }

bool SafeReplace::open() {
  if (target_.empty()) return false;
  target_ = followLink(target_);
  mode_t mode = newFileMode();
  struct stat info;
  if (::stat(target_.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode) || ::access(target_.c_str(), W_OK) != 0) return false;
    mode = info.st_mode & 07777;
  }
  std::string::size_type slash = target_.rfind('/');
  std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
  temp_ = folder + ".ravelink-XXXXXX";
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) {
    temp_.clear();
    return false;
  }
  if (::fchmod(fd_, mode) != 0) {
    discard();
    return false;
  }
  buffer_.attach(fd_);
  return true;
}

bool SafeReplace::commit() {
  stream_.flush();
  bool ok = stream_.good() && !buffer_.failed() && ::fsync(fd_) == 0;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (ok && std::rename(temp_.c_str(), target_.c_str()) == 0) {
    temp_.clear();
    return true;
  }
  discard();
  return false;
}

bool SafeReplace::finish(bool sync) {
  stream_.flush();
  bool ok = stream_.good() && !buffer_.failed() && (!sync || ::fsync(fd_) == 0);
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (!ok) discard();
  return ok;
}

bool SafeReplace::replace() {
  if (fd_ < 0 && !temp_.empty() && std::rename(temp_.c_str(), target_.c_str()) == 0) {
    temp_.clear();
    return true;
  }
  discard();
  return false;
}

void SafeReplace::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

void writeFileSafely(const char* name, const std::function<void(std::ostream&)>& write) {
  SafeReplace file(name);
  if (!file.open()) throw myException(Fault::kSaveOpen);
  write(file.stream());
  if (!file.commit()) throw myException(Fault::kSaveWrite);
}
