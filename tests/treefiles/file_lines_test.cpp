#include "treefiles/file_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Every line the reader gives, then "<END>".
std::vector<std::string> readAll(const std::string& bytes) {
  std::istringstream stream(bytes);
  FileLineReader in(stream);
  std::vector<std::string> lines;
  std::string line;
  while (in.readFileLine(line)) lines.push_back(line);
  EXPECT_EQ("", line);
  EXPECT_FALSE(in.readFileLine(line)) << "the end must stay";
  lines.push_back("<END>");
  return lines;
}

std::string written(const char* text) {
  std::ostringstream out;
  writeFileLine(out, text);
  return out.str();
}

}  // namespace

TEST(FileLine, ReadsTextModeLines) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ((Lines{"<END>"}), readAll(""));
  EXPECT_EQ((Lines{"a", "", "b", "<END>"}), readAll("a\r\n\r\nb\r\n"));
  EXPECT_EQ((Lines{"a", "b", "<END>"}), readAll("a\nb"));  // last line without LF
  EXPECT_EQ((Lines{"ab", "c", "<END>"}), readAll("a\rb\r\r\nc\r"));  // CR anywhere
  EXPECT_EQ((Lines{"<END>"}), readAll("\r"));  // a lone CR is no line
  EXPECT_EQ((Lines{"a", "b", "<END>"}), readAll("a\nb\x1a\nc\n"));  // 0x1A ends the file
  EXPECT_EQ((Lines{"a", "<END>"}), readAll("a\n\x1a"));
  EXPECT_EQ((Lines{"\t x\xe9\xff", "<END>"}), readAll("\t x\xe9\xff\n"));
}

TEST(FileLine, ReadsLinesOfAnyLengthWhole) {
  for (std::size_t length : {126u, 127u, 128u, 200u, 100000u}) {
    std::string line(length, 'x');
    EXPECT_EQ((std::vector<std::string>{line, "next", "<END>"}),
              readAll(line + "\r\nnext\r\n"))
        << length;
  }
}

// A stream buffer that hands out at most `step` bytes per refill, as a pipe
// does: the reader must wait for more rather than take a short read as the
// end.
class TrickleBuffer : public std::streambuf {
 public:
  TrickleBuffer(std::string bytes, std::size_t step) : bytes_(std::move(bytes)), step_(step) {}

 protected:
  int_type underflow() override {
    if (at_ == bytes_.size()) return traits_type::eof();
    std::size_t count = std::min(step_, bytes_.size() - at_);
    char* begin = bytes_.data() + at_;
    setg(begin, begin, begin + count);
    at_ += count;
    return traits_type::to_int_type(*begin);
  }

 private:
  std::string bytes_;
  std::size_t step_;
  std::size_t at_ = 0;
};

TEST(FileLine, ReadsLinesAcrossEveryPieceBoundary) {
  // CR, LF and 0x1A at and around the reader's 64 KiB pieces, and from a
  // stream that trickles a few bytes at a time.
  for (std::size_t cut : {65533u, 65534u, 65535u, 65536u, 65537u}) {
    std::string first(cut, 'a');
    std::string bytes = first + "\r\nb\r\r\nc\x1a\nignored\n";
    EXPECT_EQ((std::vector<std::string>{first, "b", "c", "<END>"}), readAll(bytes)) << cut;
  }
  std::string bytes;
  std::vector<std::string> expected;
  for (int i = 0; i < 2000; ++i) {
    expected.push_back(std::string(static_cast<std::size_t>(i % 97), 'x') + std::to_string(i));
    bytes += expected.back() + (i % 2 == 0 ? "\r\n" : "\n");
  }
  expected.push_back("<END>");
  for (std::size_t step : {1u, 3u, 4096u}) {
    TrickleBuffer trickle(bytes, step);
    std::istream stream(&trickle);
    FileLineReader in(stream);
    std::vector<std::string> lines;
    std::string line;
    while (in.readFileLine(line)) lines.push_back(line);
    lines.push_back("<END>");
    EXPECT_EQ(expected, lines) << step;
  }
}

TEST(FileLine, WritesCrLfAndDropsOnlyControlBytes) {
  EXPECT_EQ("\r\n", written(""));
  EXPECT_EQ("abc\r\n", written("a\tb\r\nc\x1a"));
  EXPECT_EQ("x\r\n", written("\x01x\x1f"));
  // Letters beyond ASCII, UTF-8 or not, and DEL are kept.
  EXPECT_EQ("caf\xc3\xa9 \x7f\x80\xff\r\n", written("caf\xc3\xa9 \x7f\x80\xff"));
}

