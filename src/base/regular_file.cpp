#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

RegularFileInput::~RegularFileInput() {
  if (fd_ >= 0) ::close(fd_);
}

bool RegularFileInput::open(const char* name) {
  int fd = openRegularFile(name);
  if (fd < 0) return false;
  fd_ = fd;
  buffer_.attachForReading(fd);
  return true;
}
