#include "treefiles/file_lines.h"

#include <cstring>
#include <filesystem>
#include <istream>
#include <ostream>

#include "tree/text_field.h"

namespace {
constexpr int kCarriageReturn = 0x0D;
constexpr int kEndOfFileByte = 0x1A;
constexpr int kFirstPrintable = 0x20;
}  // namespace

bool readFileLine(std::istream& in, std::string& line) {
  line.clear();
  // The end, once met, stays: eofbit is how it is remembered.
  if (!in.good()) return false;
  std::streambuf* buffer = in.rdbuf();
  bool gotByte = false;
  for (;;) {
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof() || c == kEndOfFileByte) {
      in.setstate(std::ios::eofbit);
      return gotByte;
    }
    if (c == kCarriageReturn) continue;
    gotByte = true;
    if (c == '\n') return true;
    line.push_back(static_cast<char>(c));
  }
}

void writeFileLine(std::ostream& out, const char* text) {
  const char* run = text;
  for (const char* p = text; *p != '\0'; ++p) {
    if (static_cast<unsigned char>(*p) < kFirstPrintable) {
      out.write(run, p - run);
      run = p + 1;
    }
  }
  out.write(run, static_cast<std::streamsize>(std::strlen(run)));
  out.write("\r\n", 2);
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
