#include "treefiles/file_lines.h"

#include <cstring>
#include <filesystem>
#include <istream>
#include <ostream>

#include "base/signals.h"
#include "tree/text_field.h"
#include "tree/text_rules.h"

namespace {
constexpr int kFirstPrintable = 0x20;
constexpr std::size_t kPieceSize = 1 << 16;
}  // namespace

FileLineReader::FileLineReader(std::istream& in)
    : in_(*in.rdbuf()), buffer_(new char[kPieceSize]) {}

bool FileLineReader::fill() {
  // Ask for no more than the stream has ready, so a pipe is not waited on
  // for bytes beyond what it has sent; at least one byte is waited for.
  std::streamsize want = in_.in_avail();
  if (want <= 0) {
    if (want < 0 || in_.sgetc() == std::char_traits<char>::eof()) return false;
    want = in_.in_avail();
  }
  if (want <= 0 || want > static_cast<std::streamsize>(kPieceSize)) want = kPieceSize;
  std::streamsize got = in_.sgetn(buffer_.get(), want);
  begin_ = 0;
  end_ = got > 0 ? static_cast<std::size_t>(got) : 0;
  return end_ > 0;
}

namespace {

// Appends `length` bytes from `bytes` to `line`, leaving out CR bytes; true
// when any other byte was among them.
bool appendWithoutCr(std::string& line, const char* bytes, std::size_t length) {
  bool other = false;
  while (length > 0) {
    const void* found = std::memchr(bytes, kCarriageReturn, length);
    std::size_t run = found != nullptr ? static_cast<const char*>(found) - bytes : length;
    line.append(bytes, run);
    other = other || run > 0;
    if (found == nullptr) break;
    bytes += run + 1;
    length -= run + 1;
  }
  return other;
}

}  // namespace

bool FileLineReader::readFileLine(std::string& line) {
  line.clear();
  bool gotByte = false;
  while (!finished_) {
    if (begin_ == end_ && !fill()) {
      finished_ = true;
      break;
    }
    const char* start = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const void* feed = std::memchr(start, '\n', available);
    std::size_t length = feed != nullptr ? static_cast<const char*>(feed) - start : available;
    if (const void* stop = std::memchr(start, kEndOfInputByte, length)) {
      length = static_cast<const char*>(stop) - start;
      finished_ = true;
      feed = nullptr;
    }
    gotByte = appendWithoutCr(line, start, length) || gotByte;
    if (feed != nullptr) {
      begin_ += length + 1;
      return true;
    }
    begin_ += length;
  }
  return gotByte;
}

namespace {

// Appends `text` to `out` without its control bytes, then CR LF.
void appendFileLine(std::string& out, const char* text) {
  const char* run = text;
  const char* p = text;
  for (; *p != '\0'; ++p) {
    if (static_cast<unsigned char>(*p) < kFirstPrintable) {
      out.append(run, p - run);
      run = p + 1;
    }
  }
  out.append(run, p - run);
  out.append("\r\n", 2);
}

}  // namespace

void writeFileLine(std::ostream& out, const char* text) {
  std::string line;
  appendFileLine(line, text);
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

void FileLineWriter::writeFileLine(const char* text, std::size_t tabs) {
  pending_.append(tabs, '\t');
  appendFileLine(pending_, text);
  if (pending_.size() >= kPieceSize) flush();
}

void FileLineWriter::flush() {
  checkStop();  // a stop signal ends a long save between its pieces
  out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
  pending_.clear();
}

bool openTreeFile(std::ifstream& in, const char* name) {
  if (name[0] == '\0') return false;
  // A folder or a device such as /dev/zero is no tree file; a pipe may be.
  std::error_code ignored;
  std::filesystem::file_status status = std::filesystem::status(name, ignored);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
      !std::filesystem::is_fifo(status)) {
    return false;
  }
  in.open(name, std::ios::in | std::ios::binary);
  return in.is_open();
}

void cutToField(std::string& line, std::size_t capacity) {
  line.resize(utf8CutLength(line.data(), line.size(), capacity - 1));
}
