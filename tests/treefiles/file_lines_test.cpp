#include "treefiles/file_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include <sstream>
#include <string>
#include <vector>

#include "support/long_line_buffer.h"

namespace {

constexpr std::size_t kWhole = std::string::npos;

// Every line the reader gives, then "<END>".
std::vector<std::string> readAll(const std::string& bytes) {
  std::istringstream stream(bytes);
  FileLineReader in(stream);
  std::vector<std::string> lines;
  std::string line;
  while (in.readFileLine(line, kWhole)) lines.push_back(line);
  EXPECT_EQ("", line);
  EXPECT_FALSE(in.readFileLine(line, kWhole)) << "the end must stay";
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
  // CR, LF and 0x1A at and around the reader's pieces, and from a stream
  // that trickles a few bytes at a time.
  const std::size_t piece = FileLineReader::kPieceSize;
  for (std::size_t cut : {piece - 3, piece - 2, piece - 1, piece, piece + 1}) {
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
    while (in.readFileLine(line, kWhole)) lines.push_back(line);
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


// Each line read with `keep` and, for text lines, its indentation as
// "N|text"; then "<END>".
std::vector<std::string> readTexts(const std::string& bytes, std::size_t keep, bool indented) {
  std::istringstream stream(bytes);
  FileLineReader in(stream);
  std::vector<std::string> lines;
  std::string line;
  std::uint64_t tabs = 0;
  while (in.readTextLine(line, keep, indented ? &tabs : nullptr)) {
    lines.push_back(indented ? std::to_string(tabs) + "|" + line : line);
  }
  lines.push_back("<END>");
  return lines;
}

// A tree file from elsewhere held terminal escapes, which "list" and
// "getinfo" then wrote raw to the terminal.
TEST(FileLine, TextLinesLoseControlBytesAndCountOnlyLeadingTabs) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ((Lines{"]0;owned[2J ok\x7f", "<END>"}),
            readTexts("\x1b]0;owned\x07\x1b[2J ok\x7f\r\n", kWhole, false));
  EXPECT_EQ((Lines{"ab", "", "<END>"}), readTexts("\ta\tb\n\x01\x1f", kWhole, false));
  EXPECT_EQ((Lines{"3|abc", "1|x", "0|", "2|", "<END>"}),
            readTexts("\t\t\r\ta\tb\x01" "c\n\t\x01\tx\n\n\t\t", kWhole, true));
  // The bytes dropped do not count towards what is kept.
  EXPECT_EQ((Lines{"2|abcd", "<END>"}),
            readTexts("\t\t\x1b\x1b\x1b" "ab\x1b\x1b\x1b" "cdefg\n", 4, true));
  // Marker lines keep their control bytes; both kinds stop at 0x1A.
  std::istringstream stream("c\x01\x1b\nn\x1a\n");
  FileLineReader in(stream);
  std::string line;
  EXPECT_TRUE(in.readFileLine(line, 2));
  EXPECT_EQ("c\x01", line);
  EXPECT_TRUE(in.readTextLine(line, 2));
  EXPECT_EQ("n", line);
  EXPECT_FALSE(in.readTextLine(line, 2));
}

// U+009B is a one-byte CSI to a terminal: text lines drop the UTF-8 C1
// controls as they drop C0 ones, also when a piece of the file ends between
// the two bytes. A lone 0x80 to 0x9F (a windows-1252 letter) stays, and so
// does 0xC2 before anything else.
TEST(FileLine, TextLinesLoseUtf8C1ControlsOnly) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ((Lines{"0|a[31mb\x9b\x80", "0|\xc2\xa9\xc2", "0|x", "<END>"}),
            readTexts("a\xc2\x9b[31mb\x9b\x80\xc2\x80\n\xc2\xa9\xc2\n\xc2\x85x", kWhole, true));
  const std::string filler(FileLineReader::kPieceSize - 1, 'a');
  EXPECT_EQ((Lines{filler + "z", "<END>"}), readTexts(filler + "\xc2\x9bz\n", kWhole, false));
  EXPECT_EQ((Lines{filler + "\xc2\xa9", "<END>"}), readTexts(filler + "\xc2\xa9", kWhole, false));
  EXPECT_EQ((Lines{filler + "\xc2", "<END>"}), readTexts(filler + "\xc2", kWhole, false));
  // One that meets across a dropped byte goes too, and what is left holds none.
  EXPECT_EQ((Lines{"ab", "", "\xc2", "<END>"}),
            readTexts("a\xc2\r\x91" "b\n\xc2\xc2\r\x91\x91\n\xc2\xc2\x91\n", kWhole, false));
  // Marker lines keep them.
  EXPECT_EQ((Lines{"\xc2\x9b", "<END>"}), readAll("\xc2\x9b"));
}

// A one-line file of 200 MB once cost 266 MB to load, and an endless line
// ended in an uncaught exception. Only what is kept is held.
TEST(FileLine, LongLinesAreSkippedInConstantMemory) {
  const std::size_t huge = std::size_t{256} << 20;
  for (bool asText : {false, true}) {
    LongLineBuffer bytes("\tstart ", huge, asText ? '\x1b' : 'z', "\r\nnext\n");
    std::istream stream(&bytes);
    FileLineReader in(stream);
    std::string line;
    line.shrink_to_fit();
    std::uint64_t tabs = 0;
    EXPECT_TRUE(asText ? in.readTextLine(line, 10, &tabs) : in.readFileLine(line, 10));
    EXPECT_EQ(asText ? "start " : "\tstart zzz", line);
    EXPECT_GE(64u, line.capacity());
    EXPECT_EQ(asText ? 1u : 0u, tabs);
    EXPECT_TRUE(in.readFileLine(line, 10));
    EXPECT_EQ("next", line);
    EXPECT_EQ(huge + 14, bytes.served());
  }
}

// Records read as views: a line lies in the reader's buffer unless bytes are
// dropped from it or it crosses the end of a piece, and the text read before
// an href must survive the refill that the href needs.
TEST(FileLine, RecordsReadAcrossEveryPieceEdgeKeepTheirBytes) {
  const std::size_t piece = FileLineReader::kPieceSize;
  for (bool countTabs : {false, true}) {
    const std::string tab = countTabs ? "\t" : "";
    for (std::size_t lead = piece - 40; lead <= piece + 2; ++lead) {
      // A first record of `lead` bytes, so the second one's lines, CR LFs,
      // a C1 control and a marker line fall on each side of the edge.
      std::string bytes = std::string(lead - 3, 'x') + "\r\nm\n";
      bytes += tab + "text \xc2\x9b" "one\r\n" + tab + "href&one\r\n";
      bytes += "n\r\n" + tab + "text two\r\n" + tab + "href two\r\n";
      std::istringstream stream(bytes);
      FileLineReader in(stream);
      std::string first;
      ASSERT_TRUE(in.readFileLine(first, kWhole));
      EXPECT_EQ(lead - 3, first.size());
      char marker = '?';
      ASSERT_TRUE(in.readFirstByte(marker));
      EXPECT_EQ('m', marker);
      TextLines lines;
      ASSERT_TRUE(in.readTextLines(lines, 100, 100, countTabs));
      EXPECT_EQ("text one", lines.text) << lead;
      EXPECT_EQ("href&one", lines.href) << lead;
      EXPECT_EQ(countTabs ? 1u : 0u, lines.textTabs);
      ASSERT_TRUE(in.readFirstByte(marker));
      EXPECT_EQ('n', marker) << lead;
      ASSERT_TRUE(in.readTextLines(lines, 5, 100, countTabs));
      EXPECT_EQ("text ", lines.text) << lead;
      EXPECT_EQ("href two", lines.href) << lead;
      EXPECT_EQ(countTabs ? 1u : 0u, lines.hrefTabs);
      EXPECT_FALSE(in.readFirstByte(marker));
    }
  }
}

// The lines of a record end before a NUL byte, as a node's texts do, and are
// cut to their fields without splitting a UTF-8 sequence.
TEST(FileLine, RecordLinesAreCutToTheirFields) {
  std::istringstream stream(std::string("ab\0cd\r\n", 7) + "caf\xc3\xa9s\n");
  FileLineReader in(stream);
  TextLines lines;
  ASSERT_TRUE(in.readTextLines(lines, 10, 10, false));
  cutToFields(lines, 64, 5);
  EXPECT_EQ("ab", lines.text);
  EXPECT_EQ("caf", lines.href);
}

// The writer collects lines in blocks of a fixed size: lines of every
// length, with tabs before them and control bytes in them, fall on each
// side of the blocks' edges and come out as one line written alone does.
TEST(FileLine, LinesAcrossTheWritersEdgesComeOutWhole) {
  std::ostringstream collected;
  std::string expected;
  {
    FileLineWriter out(collected);
    for (std::size_t i = 0; i < 60000; ++i) {
      std::string text(i % 83, static_cast<char>('a' + i % 26));
      if (i % 7 == 0) text += "\x1b[0m";
      const std::size_t tabs = i % 5;
      out.writeFileLine(text, tabs);
      expected.append(tabs, '\t');
      expected += written(text.c_str());
    }
    out.flush();
  }
  ASSERT_GT(expected.size(), 2 * BlockWriter::kBlockSize);
  EXPECT_TRUE(expected == collected.str());
}
