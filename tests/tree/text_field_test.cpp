#include "tree/text_field.h"

#include <gtest/gtest.h>

#include <string>

#include "tree/my_exception.h"
#include "tree/ravelink.h"

TEST(TextField, CutsAsciiAtTheFieldAndUtf8AtACharacterBoundary) {
  char field[8];  // seven bytes of text
  storeField(field, sizeof field, "1234567");
  EXPECT_STREQ("1234567", field);
  storeField(field, sizeof field, "12345678");
  EXPECT_STREQ("1234567", field);
  // "12345" then a two-byte é: fits exactly.
  storeField(field, sizeof field, "12345\xC3\xA9");
  EXPECT_STREQ("12345\xC3\xA9", field);
  // "123456" then é: the é would be split, so it goes whole.
  storeField(field, sizeof field, "123456\xC3\xA9");
  EXPECT_STREQ("123456", field);
  // A three-byte character (中) split after one and after two bytes.
  storeField(field, sizeof field, "12345\xE4\xB8\xAD");
  EXPECT_STREQ("12345", field);
  storeField(field, sizeof field, "123456\xE4\xB8\xAD");
  EXPECT_STREQ("123456", field);
  // Bytes that are not UTF-8 are cut at the field, like ASCII.
  storeField(field, sizeof field, "123456\xE9\xE9\xE9");
  EXPECT_STREQ("123456\xE9", field);
  storeField(field, sizeof field, "\xA9\xA9\xA9\xA9\xA9\xA9\xA9\xA9");
  EXPECT_EQ(7u, std::string(field).size());
}

TEST(TextField, NodeAndSettingFieldsHoldTheirLimits) {
  Ravelink tree;
  tree.setCurrentText(std::string(63, 't').c_str());
  EXPECT_EQ(63u, std::string(tree.getCurrent()->getText()).size());
  tree.setCurrentText(std::string(64, 't').c_str());
  EXPECT_EQ(63u, std::string(tree.getCurrent()->getText()).size());
  tree.setCurrentHref(std::string(200, 'h').c_str());
  EXPECT_EQ(127u, std::string(tree.getCurrent()->getHref()).size());
  tree.settings().baseTarget.set(std::string(128, 'b').c_str());
  EXPECT_EQ(127u, std::string(tree.settings().baseTarget.get()).size());
  tree.settings().styleTable.set(std::string(400, 's').c_str());
  EXPECT_EQ(319u, std::string(tree.settings().styleTable.get()).size());
  // 31 chinese characters are 93 bytes: 21 of them fit in 63.
  std::string chinese;
  for (int i = 0; i < 31; ++i) chinese += "\xE4\xB8\xAD";
  tree.setCurrentText(chinese.c_str());
  EXPECT_EQ(63u, std::string(tree.getCurrent()->getText()).size());
  tree.setCurrentText(("x" + chinese).c_str());
  EXPECT_EQ(61u, std::string(tree.getCurrent()->getText()).size());
  myException error("treeGotoWorkPlcTooLong", std::string(40, 'm').c_str());
  EXPECT_STREQ("treeGotoWorkPlc", error.getFuncName());
  EXPECT_EQ(31u, std::string(error.getMessage()).size());
}
