#include "page/template_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::istringstream in(text);
  TemplateReader reader(in);
  std::vector<std::string> lines;
  std::string line;
  while (reader.readLine(line)) lines.push_back(line);
  EXPECT_FALSE(reader.readLine(line));  // stays at the end
  return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(TemplateReader, ThePieceAfterTheLastLineBreakIsALine) {
  EXPECT_EQ((Lines{"a", "b", ""}), linesOf("a\nb\n"));
  EXPECT_EQ((Lines{"a", "b"}), linesOf("a\nb"));
  EXPECT_EQ((Lines{""}), linesOf(""));
  EXPECT_EQ((Lines{"", ""}), linesOf("\n"));
  EXPECT_EQ((Lines{"", "", "x"}), linesOf("\n\nx"));
}

TEST(TemplateReader, ReadsLinesOfAnyLengthWhole) {
  const std::string longLine(100000, 'x');
  EXPECT_EQ((Lines{longLine, "next", ""}), linesOf(longLine + "\nnext\n"));
  const std::string line127(127, 'y');
  EXPECT_EQ((Lines{line127}), linesOf(line127));
  EXPECT_EQ((Lines{line127, ""}), linesOf(line127 + "\n"));
}

TEST(TemplateReader, TakesCrLfAsOneLineBreak) {
  EXPECT_EQ((Lines{"a", "b", ""}), linesOf("a\r\nb\r\n"));
  // A carriage return anywhere else is part of the line.
  EXPECT_EQ((Lines{"a\rb", "c\r"}), linesOf("a\rb\nc\r"));
}

TEST(TemplateReader, RecognisesTheBeginningInAnyCase) {
  EXPECT_TRUE(lineBegins("<TITLE>Old</TITLE>", "<title>"));
  EXPECT_TRUE(lineBegins("<title>", "<title>"));
  EXPECT_TRUE(lineBegins("<Frame Name=Frame12 src=x>", "<frame name=frame1"));
  EXPECT_FALSE(lineBegins(" <title>", "<title>"));
  EXPECT_FALSE(lineBegins("<titl", "<title>"));
  EXPECT_FALSE(lineBegins("", ". {"));
  EXPECT_FALSE(lineBegins(".{", ". {"));
  // Only the first 31 characters are looked at.
  const std::string line(40, 'a');
  EXPECT_TRUE(lineBegins(line, std::string(31, 'a').c_str()));
  EXPECT_FALSE(lineBegins(line, std::string(32, 'a').c_str()));
}
