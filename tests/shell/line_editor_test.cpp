#include "shell/line_editor.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/command_loop.h"

TEST(PromptHoldingBuffer, PassesWholeLinesAndHoldsTheUnfinishedOne) {
  std::ostringstream sink;
  PromptHoldingBuffer screen(*sink.rdbuf());
  std::ostream out(&screen);

  out << "The filename for output is \"a\".\n" << '-';
  EXPECT_EQ("", sink.str());
  EXPECT_EQ("-", screen.takePrompt());
  EXPECT_EQ("The filename for output is \"a\".\n", sink.str());
  EXPECT_EQ("", screen.takePrompt());  // taken once only

  // Several lines and a prompt written since the last read.
  out << "current text: x\nnew text: ";
  EXPECT_EQ("new text: ", screen.takePrompt());
  EXPECT_EQ("The filename for output is \"a\".\ncurrent text: x\n", sink.str());

  // An answer spilled: two prompts stand on one line.
  out << "Text: " << "HRef: " << '-';
  EXPECT_EQ("Text: HRef: -", screen.takePrompt());

  // A flush passes everything on, as when the program ends.
  out << "x\n-" << std::flush;
  EXPECT_EQ("The filename for output is \"a\".\ncurrent text: x\nx\n-", sink.str());
  EXPECT_EQ("", screen.takePrompt());
}

TEST(PromptHoldingBuffer, PassesLinesOnDuringLongOutput) {
  std::ostringstream sink;
  PromptHoldingBuffer screen(*sink.rdbuf());
  std::ostream out(&screen);
  std::string line(99, 'n');
  for (int i = 0; i < 1000; ++i) out << line << '\n';
  out << "-- MORE -- ";
  // Most of the 100000 bytes are gone to the sink before any read.
  EXPECT_GT(sink.str().size(), 90000u);
  EXPECT_EQ("-- MORE -- ", screen.takePrompt());
  EXPECT_EQ(100000u, sink.str().size());
}

namespace {

std::string completed(const std::string& before) {
  Completion completion = completeCommandLine(before, commandWords());
  std::string result = before + completion.insert;
  for (const std::string& choice : completion.choices) result += " |" + choice;
  return result;
}

}  // namespace

TEST(CompleteCommandLine, CompletesTheCommandWord) {
  EXPECT_EQ("getinfo ", completed("geti"));
  EXPECT_EQ("  \tbparn ", completed("  \tbpa"));
  EXPECT_EQ("quit ", completed("q"));  // not a table row, still a command
  EXPECT_EQ("? ", completed("?"));
  EXPECT_EQ("del ", completed("del"));
  // Several candidates: their common beginning, and the list of them.
  EXPECT_EQ("setwp |setwp1 |setwp2", completed("setw"));
  EXPECT_EQ("save |save |savevcl", completed("sav"));
  EXPECT_EQ("sa |sample |save |savevcl", completed("sa"));
  EXPECT_EQ("bp |bparn |bpn", completed("bp"));
  // Nothing matches: comparison is case-sensitive.
  EXPECT_EQ("Geti", completed("Geti"));
  EXPECT_EQ("xyz", completed("xyz"));
  EXPECT_EQ("getinfox", completed("getinfox"));
}

TEST(CompleteCommandLine, ListsEveryCommandOnAnEmptyLine) {
  Completion completion = completeCommandLine("", commandWords());
  EXPECT_EQ("", completion.insert);
  ASSERT_EQ(commandWords().commands.size(), completion.choices.size());
  EXPECT_EQ("?", completion.choices.front());  // sorted
  EXPECT_EQ("zap", completion.choices.back());
}

TEST(CompleteCommandLine, CompletesHelpTopicsAfterHelpOrQuestionMark) {
  EXPECT_EQ("help bparn ", completed("help bpa"));
  EXPECT_EQ("? del ", completed("? de"));
  EXPECT_EQ(" help\t\tsetcss ", completed(" help\t\tsetc"));
  EXPECT_EQ("help setusingpara ", completed("help setu"));
  // "?" and "quit" are no topics.
  EXPECT_EQ("help ?", completed("help ?"));
  EXPECT_EQ("help qu", completed("help qu"));
  Completion all = completeCommandLine("help ", commandWords());
  ASSERT_EQ(commandWords().topics.size(), all.choices.size());
  EXPECT_EQ("aac", all.choices.front());
}

TEST(CompleteCommandLine, CompletesNothingElsewhere) {
  EXPECT_EQ("aac ge", completed("aac ge"));          // an argument of another command
  EXPECT_EQ("help del x", completed("help del x"));  // a third word
  EXPECT_EQ("help del ", completed("help del "));
  EXPECT_EQ("Help ge", completed("Help ge"));
}
