#ifndef RAVELINK_BASE_BLOCK_WRITER_H_
#define RAVELINK_BASE_BLOCK_WRITER_H_

// Output in large blocks: the page and the tree files are written into a
// buffer of fixed size, with plain stores, and handed to their stream a
// block at a time, so a big file costs a few hundred stream calls whatever
// it holds.

#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>

class BlockWriter {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  explicit BlockWriter(std::ostream& out) : out_(out), buffer_(new char[kBlockSize]) {}
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  /// A place for up to `size` more bytes (REQUIRES: size <= kBlockSize);
  /// what is held goes to the stream first when they would not fit. Tell
  /// where the bytes written there end with done().
  char* room(std::size_t size) {
    if (kBlockSize - used_ < size) flush();
    return buffer_.get() + used_;
  }
  void done(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }

  /// Any number of bytes.
  void write(const char* bytes, std::size_t size) {
    if (size <= kBlockSize - used_) {
      std::memcpy(buffer_.get() + used_, bytes, size);
      used_ += size;
    } else {
      writeLong(bytes, size);
    }
  }
  void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }

  /// Hands every byte held to the stream. Throws StopRequested
  /// (base/signals.h) instead when a stop signal came: a long output ends
  /// between its blocks.
  void flush();

 private:
  void writeLong(const char* bytes, std::size_t size);

  std::ostream& out_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

#endif  // RAVELINK_BASE_BLOCK_WRITER_H_
