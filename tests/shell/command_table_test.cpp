#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "shell/word_case.h"

// A word typed at the prompt reaches the first row that has it, and "help
// WORD" the first topic of it: a word given twice, or one that cannot be
// typed as one word, leaves a row unreachable.
TEST(CommandTable, EveryWordReachesItsRowAndTopic) {
  for (const CommandRow& row : commandTable()) {
    ASSERT_NE(nullptr, row.words[0]);
    EXPECT_NE(nullptr, row.run) << row.words[0];
    for (std::size_t i = 0; i < CommandRow::kMaxWords; ++i) {
      const char* word = row.words[i];
      if (word == nullptr) {
        EXPECT_EQ(nullptr, row.topics[i]) << row.words[0] << ": a topic without a word";
        continue;
      }
      std::size_t position = 0;
      EXPECT_EQ(word, nextWord(word, position)) << "not one word: \"" << word << '"';
      EXPECT_EQ(&row, findCommand(word)) << word;
      EXPECT_EQ(row.topics[i], findTopic(word)) << word;
    }
  }
  EXPECT_EQ(nullptr, findCommand(""));
  EXPECT_EQ(nullptr, findTopic(""));
}

namespace {
int runs = 0;
void countRun(Shell&) { ++runs; }
}  // namespace

TEST(CommandTable, CommandOfAMissingLibrarySaysSoInOneLine) {
  Ravelink tree;
  std::istringstream in;
  std::ostringstream out;
  Console console(*in.rdbuf(), out, false);
  Shell shell(tree, console);
  std::strcpy(shell.word, "import");

  CommandRow row{.words = {"import"}, .run = countRun, .missingLibrary = "libxml2"};
  runCommand(shell, row);
  EXPECT_EQ(0, runs);
  EXPECT_EQ("This build has no libxml2: \"import\" is not available.\n", out.str());

  row.missingLibrary = nullptr;
  runCommand(shell, row);
  EXPECT_EQ(1, runs);
}
