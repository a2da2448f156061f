#ifndef RAVELINK_BASE_FD_STREAMBUF_H_
#define RAVELINK_BASE_FD_STREAMBUF_H_

// The one stream buffer over a file descriptor, for reading (the console,
// the files the user names) or for writing (files replaced safely). It
// never owns the descriptor: whoever opened it closes it.

#include <sys/types.h>

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <vector>

class FdStreamBuf : public std::streambuf {
 public:
  /// How a read is done: as read(2). The default retries a read that a
  /// signal interrupted; the console's waits for typing and may throw.
  using ReadFunction = ssize_t (*)(int fd, void* buffer, std::size_t size);

  explicit FdStreamBuf(std::size_t bufferSize = std::size_t{1} << 16);

  /// Reads from `fd` through `read` (null: the default). `tie`, when given,
  /// is flushed before every read that may wait, so a prompt is seen first.
  /// A reading buffer can seek when the descriptor can.
  void attachForReading(int fd, ReadFunction read = nullptr, std::ostream* tie = nullptr);
  /// Writes to `fd`; failed() tells whether any write failed.
  void attachForWriting(int fd);
  bool failed() const { return failed_; }

  /// Moves up to `size` bytes to `buffer`: the bytes already read ahead, if
  /// any, else what one read gives, without a copy in between (a pipe is
  /// not waited on beyond the bytes it has sent). 0 at the end or on an
  /// error.
  std::size_t readSome(char* buffer, std::size_t size);

 protected:
  int_type underflow() override;
  int_type overflow(int_type c) override;
  int sync() override;
  /// A long run of bytes goes to the descriptor straight, not through the
  /// buffer.
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  pos_type seekoff(off_type offset, std::ios_base::seekdir from,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

 private:
  bool drain();
  bool writeAll(const char* bytes, std::size_t count);

  std::vector<char> space_;
  int fd_ = -1;
  ReadFunction read_ = nullptr;
  std::ostream* tie_ = nullptr;
  bool failed_ = false;
};

#endif  // RAVELINK_BASE_FD_STREAMBUF_H_
