#include "treefiles/file_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Every line readFileLine gives, then "<END>".
std::vector<std::string> readAll(const std::string& bytes) {
  std::istringstream in(bytes);
  std::vector<std::string> lines;
  std::string line;
  while (readFileLine(in, line)) lines.push_back(line);
  EXPECT_EQ("", line);
  EXPECT_FALSE(readFileLine(in, line)) << "the end must stay";
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

TEST(FileLine, WritesCrLfAndDropsOnlyControlBytes) {
  EXPECT_EQ("\r\n", written(""));
  EXPECT_EQ("abc\r\n", written("a\tb\r\nc\x1a"));
  EXPECT_EQ("x\r\n", written("\x01x\x1f"));
  // Letters beyond ASCII, UTF-8 or not, and DEL are kept.
  EXPECT_EQ("caf\xc3\xa9 \x7f\x80\xff\r\n", written("caf\xc3\xa9 \x7f\x80\xff"));
}

