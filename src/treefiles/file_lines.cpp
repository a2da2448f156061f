#include "treefiles/file_lines.h"

#include <cstring>
#include <istream>
#include <ostream>

#include "base/byte_scan.h"
#include "base/fd_streambuf.h"
#include "base/signals.h"
#include "tree/text_field.h"
#include "tree/text_rules.h"

namespace {
constexpr int kFirstPrintable = 0x20;
}  // namespace

FileLineReader::FileLineReader(std::istream& in)
    : in_(*in.rdbuf()),
      fdIn_(dynamic_cast<FdStreamBuf*>(in.rdbuf())),
      buffer_(new char[kPieceSize]) {}

bool FileLineReader::fill() {
  if (stopped_) return false;
  if (held_ != nullptr && held_->data() != heldStore_->data()) {
    heldStore_->assign(*held_);
    *held_ = *heldStore_;
  }
  std::size_t got = 0;
  if (fdIn_ != nullptr) {
    got = fdIn_->readSome(buffer_.get(), kPieceSize);  // straight into the buffer
  } else {
    // Ask for no more than the stream has ready, so a pipe is not waited on
    // for bytes beyond what it has sent; at least one byte is waited for.
    std::streamsize want = in_.in_avail();
    if (want <= 0) {
      if (want < 0 || in_.sgetc() == std::char_traits<char>::eof()) return false;
      want = in_.in_avail();
    }
    if (want <= 0 || want > static_cast<std::streamsize>(kPieceSize)) want = kPieceSize;
    const std::streamsize count = in_.sgetn(buffer_.get(), want);
    got = count > 0 ? static_cast<std::size_t>(count) : 0;
  }
  begin_ = 0;
  end_ = got;
  if (const void* stop = std::memchr(buffer_.get(), kEndOfInputByte, got)) {
    end_ = static_cast<std::size_t>(static_cast<const char*>(stop) - buffer_.get());
    stopped_ = true;
  }
  return end_ > 0;
}

namespace {

bool isControl(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value != 0 && value < kFirstPrintable;
}

// A C1 control (U+0080 to U+009F) in UTF-8 is the lead byte 0xC2 and a
// second byte 0x80 to 0x9F. Terminals act on them as on C0 controls (0x9B
// starts a command), so a text drops them as it drops those. A lone byte
// 0x80 to 0x9F is no control: in a text that is not UTF-8 it is a letter.
constexpr char kC1Lead = '\xC2';
bool isC1Second(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 0x80 && value <= 0x9F;
}

/// Takes the bytes of one line, piece by piece, into a string that keeps at
/// most `keep` of them.
class LineTaker {
 public:
  LineTaker(std::string& line, std::size_t keep, bool asText, std::uint64_t* indent)
      : line_(line), keep_(keep), asText_(asText), indent_(indent) {}

  void take(const char* bytes, std::size_t length) {
    const char* end = bytes + length;
    if (heldLead_ && bytes < end) {
      heldLead_ = false;
      if (isC1Second(*bytes)) {
        ++bytes;
      } else {
        keep(&kC1Lead, 1);
      }
    }
    while (bytes < end) {
      // A run of bytes kept as they are, then one control byte looked at.
      const char* run = bytes;
      while (bytes < end && !isControl(*bytes) && !(asText_ && *bytes == kC1Lead))
        ++bytes;
      if (bytes > run) {
        keep(run, static_cast<std::size_t>(bytes - run));
        atStart_ = false;
      }
      if (bytes == end) break;
      if (*bytes == kC1Lead) {
        // Text only: a C1 control goes; its lead byte at the end of a piece
        // waits for the next piece to tell.
        gotByte_ = true;
        atStart_ = false;
        if (bytes + 1 == end) {
          heldLead_ = true;
          break;
        }
        if (isC1Second(bytes[1])) {
          bytes += 2;
        } else {
          keep(bytes++, 1);
        }
        continue;
      }
      const char byte = *bytes++;
      if (byte == kCarriageReturn) continue;
      gotByte_ = true;
      if (!asText_) {
        keep(&byte, 1);
      } else if (atStart_ && indent_ != nullptr && byte == '\t') {
        ++*indent_;
      } else {
        atStart_ = false;
      }
    }
  }

  bool gotByte() const { return gotByte_; }
  /// The line ended: a lead byte held back is kept after all.
  void finish() {
    if (heldLead_) keep(&kC1Lead, 1);
    heldLead_ = false;
  }

 private:
  void keep(const char* bytes, std::size_t length) {
    gotByte_ = true;
    // A C1 control may also meet across a byte that was dropped (0xC2, CR,
    // 0x91): it goes all the same, and so does the one that meets when it
    // is gone (0xC2 0xC2 CR 0x91 0x91), so that no text holds one and a
    // saved text loads back as it was.
    while (asText_ && length > 0 && isC1Second(*bytes) && !line_.empty() &&
           line_.back() == kC1Lead) {
      line_.pop_back();
      ++bytes;
      --length;
    }
    std::size_t room = keep_ - line_.size();
    line_.append(bytes, length < room ? length : room);
  }

  std::string& line_;
  std::size_t keep_;
  bool asText_;
  std::uint64_t* indent_;
  bool atStart_ = true;
  bool gotByte_ = false;
  bool heldLead_ = false;  // a 0xC2 ended the last piece
};

}  // namespace

bool FileLineReader::readFileLine(std::string& line, std::size_t keep) {
  return readLine(line, keep, false, nullptr);
}

bool FileLineReader::readTextLine(std::string& line, std::size_t keep, std::uint64_t* indent) {
  if (indent != nullptr) *indent = 0;
  return readLine(line, keep, true, indent);
}

bool FileLineReader::readLine(std::string& line, std::size_t keep, bool asText,
                              std::uint64_t* indent) {
  line.clear();
  LineTaker taker(line, keep, asText, indent);
  while (!finished_) {
    if (begin_ == end_ && !fill()) {
      finished_ = true;
      break;
    }
    const char* start = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const void* feed = std::memchr(start, '\n', available);
    std::size_t length = feed != nullptr ? static_cast<const char*>(feed) - start : available;
    taker.take(start, length);
    if (feed != nullptr) {
      begin_ += length + 1;
      taker.finish();
      return true;
    }
    begin_ += length;
  }
  taker.finish();
  if (!taker.gotByte()) line.clear();
  return taker.gotByte();
}

bool FileLineReader::readTextView(std::string_view& line, std::string& store, std::size_t keep,
                                  std::uint64_t* indent) {
  if (indent != nullptr) *indent = 0;
  const char* start = buffer_.get() + begin_;
  if (const void* found = std::memchr(start, '\n', end_ - begin_)) {
    const char* feed = static_cast<const char*>(found);
    const char* body = start;
    const char* bodyEnd = feed;
    if (bodyEnd > body && bodyEnd[-1] == kCarriageReturn) --bodyEnd;
    if (indent != nullptr) {
      while (body < bodyEnd && *body == '\t') ++body;
    }
    const auto length = static_cast<std::size_t>(bodyEnd - body);
    if (!anyControlOrC1Lead(body, length)) {
      if (indent != nullptr) *indent = static_cast<std::uint64_t>(body - start);
      begin_ = static_cast<std::size_t>(feed + 1 - buffer_.get());
      line = std::string_view(body, length < keep ? length : keep);
      return true;
    }
  }
  const bool got = readLine(store, keep, true, indent);
  line = store;
  return got;
}

bool FileLineReader::readTextLines(TextLines& lines, std::size_t textKeep, std::size_t hrefKeep,
                                   bool countTabs) {
  if (!readTextView(lines.text, lines.textStore, textKeep,
                    countTabs ? &lines.textTabs : nullptr)) {
    return false;
  }
  held_ = &lines.text;  // a refill for the href must not lose the text
  heldStore_ = &lines.textStore;
  const bool got =
      readTextView(lines.href, lines.hrefStore, hrefKeep, countTabs ? &lines.hrefTabs : nullptr);
  held_ = nullptr;
  heldStore_ = nullptr;
  return got;
}

bool FileLineReader::readFirstByte(char& first) {
  // The usual marker line: one byte, then CR LF or LF.
  if (end_ - begin_ >= 3) {
    const char* at = buffer_.get() + begin_;
    if (at[0] != kCarriageReturn && at[0] != '\n') {
      if (at[1] == '\n' || (at[1] == kCarriageReturn && at[2] == '\n')) {
        first = at[0];
        begin_ += at[1] == '\n' ? 2 : 3;
        return true;
      }
    }
  }
  if (!readFileLine(spare_, 1)) return false;
  first = spare_.empty() ? '\0' : spare_[0];
  return true;
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

void FileLineWriter::writeFileLine(std::string_view text, std::size_t tabs) {
  constexpr std::size_t kTabRun = 256;
  while (tabs > 0) {
    const std::size_t run = tabs < kTabRun ? tabs : kTabRun;
    char* at = out_.room(run);
    std::memset(at, '\t', run);
    out_.done(at + run);
    tabs -= run;
  }
  if (text.size() <= BlockWriter::kBlockSize - 2 && !anyControlByte(text.data(), text.size())) {
    char* at = out_.room(text.size() + 2);
    std::memcpy(at, text.data(), text.size());
    at += text.size();
    *at++ = '\r';
    *at++ = '\n';
    out_.done(at);
    return;
  }
  std::string line;
  appendFileLine(line, std::string(text).c_str());
  out_.write(line);
}

void cutToField(std::string& line, std::size_t capacity) {
  line.resize(utf8CutLength(line.data(), line.size(), capacity - 1));
}

namespace {

// Cuts `line` to a field of `capacity`, and, when it was put together in
// `store` (only there can it hold a NUL byte), before its first NUL.
void cutToField(std::string_view& line, const std::string& store, std::size_t capacity) {
  line = line.substr(0, utf8CutLength(line.data(), line.size(), capacity - 1));
  if (line.data() != store.data()) return;
  if (const void* nul = std::memchr(line.data(), '\0', line.size())) {
    line = line.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - line.data()));
  }
}

}  // namespace

void cutToFields(TextLines& lines, std::size_t textCapacity, std::size_t hrefCapacity) {
  cutToField(lines.text, lines.textStore, textCapacity);
  cutToField(lines.href, lines.hrefStore, hrefCapacity);
}
