#include "shell/word_case.h"

#include <gtest/gtest.h>

#include "support/tree_shape.h"

TEST(WordCase, SplitsOnBlanksAndTabsOnly) {
  WordCase words;
  char word[128] = "untouched";
  EXPECT_ERROR(words.wCaseOutputStr(word), "wCaseOutputStr", "wordcase not initialized");
  EXPECT_STREQ("untouched", word);

  words.wCaseInputStr("  aac   x");
  words.wCaseOutputStr(word);
  EXPECT_STREQ("aac", word);
  words.wCaseOutputStr(word);
  EXPECT_STREQ("x", word);
  EXPECT_ERROR(words.wCaseOutputStr(word), "wCaseOutputStr", "end-of-string encountered");
  EXPECT_STREQ("", word);
  EXPECT_ERROR(words.wCaseOutputStr(word), "wCaseOutputStr", "end-of-string encountered");

  words.wCaseInputStr("del\textra\r,'\"");
  words.wCaseOutputStr(word);
  EXPECT_STREQ("del", word);
  words.wCaseOutputStr(word);
  EXPECT_STREQ("extra\r,'\"", word);

  for (const char* empty : {"", " \t \t"}) {
    words.wCaseInputStr(empty);
    EXPECT_ERROR(words.wCaseOutputStr(word), "wCaseOutputStr", "end-of-string encountered");
  }
}
