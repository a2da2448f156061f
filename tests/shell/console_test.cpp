#include "shell/console.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/long_line_buffer.h"

namespace {

// Reads lines of capacity 128 until the end; "<END>" marks a false result.
std::vector<std::string> readAll(const std::string& input, bool interactive = false) {
  std::istringstream in(input);
  std::ostringstream out;
  Console console(*in.rdbuf(), out, interactive);
  std::vector<std::string> lines;
  char buffer[128];
  for (int i = 0; i < 10; ++i) {
    bool got = static_cast<bool>(readConsoleLine(console, buffer, sizeof buffer));
    lines.push_back(got ? buffer : "<END>");
    if (!got) break;
  }
  return lines;
}

}  // namespace

// A long answer once spilled its rest into the next answer or command: a
// URL ending in " del" ran "del". The rest of a line is never read again.
TEST(ConsoleLine, ReadsWholeLinesKeepsTheirStartAndDropsTheRest) {
  std::string s127(127, 'a'), s200(200, 'b');
  EXPECT_EQ((std::vector<std::string>{s127, "next", "<END>"}), readAll(s127 + "\nnext\n"));
  EXPECT_EQ((std::vector<std::string>{std::string(127, 'b'), "<END>"}), readAll(s200 + "\n"));
  EXPECT_EQ((std::vector<std::string>{std::string(127, 'c'), "x", "<END>"}),
            readAll(std::string(150, 'c') + "\nx"));
  EXPECT_EQ((std::vector<std::string>{std::string(127, 'd'), "<END>"}),
            readAll(std::string(127, 'd') + " del"));
  // A line of exactly 127 bytes with CR LF: no phantom empty line.
  EXPECT_EQ((std::vector<std::string>{s127, "<END>"}), readAll(s127 + "\r\n"));
}

TEST(ConsoleLine, TellsTheWholeLengthOfAHugeLineReadInConstantMemory) {
  // 64 MiB with carriage returns around it: counted, not kept.
  const std::size_t huge = std::size_t{64} << 20;
  LongLineBuffer in("\rhead", huge, 'u', "\r\nzap\n");
  std::ostringstream out;
  Console console(in, out, false);
  char buffer[8];
  ConsoleLine line = readConsoleLine(console, buffer, sizeof buffer);
  EXPECT_TRUE(line.got);
  EXPECT_EQ(huge + 4, line.length);
  EXPECT_STREQ("headuuu", buffer);
  line = readConsoleLine(console, buffer, sizeof buffer);
  EXPECT_STREQ("zap", buffer);
  EXPECT_EQ(3u, line.length);
  EXPECT_FALSE(readConsoleLine(console, buffer, sizeof buffer));
  EXPECT_EQ(0u, readConsoleLine(console, buffer, sizeof buffer).length);
}

TEST(ConsoleLine, TextModeDropsCarriageReturnsAndEndsAt1A) {
  EXPECT_EQ((std::vector<std::string>{"ab", "c", "<END>"}), readAll("a\rb\r\nc\r\n"));
  EXPECT_EQ((std::vector<std::string>{"one", "tw", "<END>"}), readAll("one\ntw\x1Ao\nthree\n"));
  EXPECT_EQ((std::vector<std::string>{"", "", "<END>"}), readAll("\n\n"));
  EXPECT_EQ((std::vector<std::string>{"<END>"}), readAll(""));
}

TEST(ConsoleLine, EndOfInputStaysForAPipeButNotForATerminal) {
  std::istringstream in("a");
  std::ostringstream out;
  Console pipe(*in.rdbuf(), out, false);
  char buffer[128];
  EXPECT_TRUE(readConsoleLine(pipe, buffer, sizeof buffer));
  EXPECT_STREQ("a", buffer);
  in.clear();
  in.str("more\n");  // input that arrives after the end is never read
  EXPECT_FALSE(readConsoleLine(pipe, buffer, sizeof buffer));

  std::istringstream tin("");
  Console terminal(*tin.rdbuf(), out, true);
  EXPECT_FALSE(readConsoleLine(terminal, buffer, sizeof buffer));
  tin.clear();
  tin.str("typed again\n");
  EXPECT_TRUE(readConsoleLine(terminal, buffer, sizeof buffer));
  EXPECT_STREQ("typed again", buffer);
}

TEST(MorePause, StopsOnlyOnAnAnswerBeginningWithA) {
  struct Case {
    const char* input;
    bool goOn;
  } cases[] = {{"A\n", false}, {"a\n", false}, {"abort\n", false}, {"\n", true},
               {"x\n", true},  {"B\n", true},  {"", true},         {" a\n", true}};
  for (const Case& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out;
    Console console(*in.rdbuf(), out, false);
    EXPECT_EQ(c.goOn, morePause(console)) << c.input;
    EXPECT_EQ("-- MORE -- enter 'A' to abort: ", out.str());
  }
}

TEST(ConsoleLine, CommandLinesReadLikeAnswers) {
  std::istringstream in("  aac x\n" + std::string(130, 'c') + "\n\n");
  std::ostringstream out;
  Console console(*in.rdbuf(), out, false);
  char buffer[128];
  EXPECT_TRUE(readCommandLine(console, buffer, sizeof buffer));
  EXPECT_STREQ("  aac x", buffer);
  EXPECT_TRUE(readCommandLine(console, buffer, sizeof buffer));
  EXPECT_EQ(std::string(127, 'c'), buffer);
  EXPECT_TRUE(readConsoleLine(console, buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
  EXPECT_FALSE(readCommandLine(console, buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
}

// Characters read one by one up to the end-of-file key, then the rest of
// the line discarded: at a terminal the next read waits for new typing.
TEST(ConsoleChars, DiscardingTheLineEndsTheReadAtTheEnd) {
  std::istringstream tin("ab");
  std::ostringstream out;
  Console terminal(*tin.rdbuf(), out, true);
  EXPECT_EQ('a', terminal.getChar());
  EXPECT_EQ('b', terminal.getChar());
  EXPECT_EQ(Console::kEnd, terminal.getChar());
  terminal.discardLine();
  tin.clear();
  tin.str("next\n");
  char buffer[128];
  EXPECT_TRUE(readConsoleLine(terminal, buffer, sizeof buffer));
  EXPECT_STREQ("next", buffer);

  std::istringstream in("ab");
  Console pipe(*in.rdbuf(), out, false);
  while (pipe.getChar() != Console::kEnd) {
  }
  pipe.discardLine();
  in.clear();
  in.str("next\n");
  EXPECT_FALSE(readConsoleLine(pipe, buffer, sizeof buffer));
}

// Ctrl-Z at a terminal ends a style table with the byte 0x1A and a line
// feed, which is no empty command line; nothing is waited for when nothing
// follows the byte.
TEST(ConsoleChars, EndByteAtATerminalDropsTheLineFeedAfterIt) {
  std::istringstream in("b {}\x1a\nnext\n");
  std::ostringstream out;
  Console terminal(*in.rdbuf(), out, true);
  std::string table;
  for (int c = terminal.getChar(); c != Console::kEnd; c = terminal.getChar()) table += char(c);
  EXPECT_EQ("b {}", table);
  terminal.resumeAfterEndByte();
  char buffer[128];
  EXPECT_TRUE(readConsoleLine(terminal, buffer, sizeof buffer));
  EXPECT_STREQ("next", buffer);

  std::istringstream last("x\x1a");
  Console typed(*last.rdbuf(), out, true);
  EXPECT_EQ('x', typed.getChar());
  EXPECT_EQ(Console::kEnd, typed.getChar());
  typed.resumeAfterEndByte();
  EXPECT_FALSE(typed.atEnd());
}
