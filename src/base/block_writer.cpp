#include "base/block_writer.h"

#include "base/signals.h"

void BlockWriter::flush() {
  checkStop();
  out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
  used_ = 0;
}

void BlockWriter::writeLong(const char* bytes, std::size_t size) {
  flush();
  if (size < kBlockSize) {
    std::memcpy(buffer_.get(), bytes, size);
    used_ = size;
  } else {
    out_.write(bytes, static_cast<std::streamsize>(size));
  }
}
