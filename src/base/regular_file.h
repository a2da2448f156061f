#ifndef RAVELINK_BASE_REGULAR_FILE_H_
#define RAVELINK_BASE_REGULAR_FILE_H_

// Every file the user names for reading (load, loadvcl, import) is opened
// here. Only a regular file is opened: a FIFO, a socket, a device or a
// folder is refused at once, and never opened in a way that could wait for
// a writer.

#include <istream>

#include "base/fd_streambuf.h"

/// Opens `name` read-only when it is a regular file. Returns the descriptor
/// (close-on-exec, reads block as usual), or -1 when the name is empty, the
/// file is missing or unreadable, or it is no regular file.
int openRegularFile(const char* name);

/// A regular file opened for reading, as a binary stream that can seek.
class RegularFileInput {
 public:
  RegularFileInput() : stream_(&buffer_) {}
  ~RegularFileInput();
  RegularFileInput(const RegularFileInput&) = delete;
  RegularFileInput& operator=(const RegularFileInput&) = delete;

  /// Opens `name` as openRegularFile does; false, with nothing open, when
  /// that refuses it.
  bool open(const char* name);
  /// The file's bytes. REQUIRES: open() succeeded.
  std::istream& stream() { return stream_; }

 private:
  int fd_ = -1;
  FdStreamBuf buffer_;
  std::istream stream_;
};

#endif  // RAVELINK_BASE_REGULAR_FILE_H_
