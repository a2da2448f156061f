#include "shell/file_name_completion.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef RAVELINK_HAVE_LIBEDIT
// In a folder of two files and a folder sharing a beginning: a single name
// completes with nothing after it, a folder with "/", several give their
// common beginning and their last parts.
TEST(FileNameCompletion, CompletesNamesInTheFolderTyped) {
  char pattern[] = "/tmp/ravelink-complete-XXXXXX";
  ASSERT_NE(nullptr, ::mkdtemp(pattern));
  const std::filesystem::path folder = pattern;
  std::ofstream(folder / "links one.tree").put('x');
  std::ofstream(folder / "links two.tree").put('x');
  std::filesystem::create_directory(folder / "lists");
  const std::string base = folder.string() + "/";

  std::string typed = base + "links o";
  Completion one = completeFileName(typed, fileNamesBeginningWith(typed));
  EXPECT_EQ("ne.tree", one.insert);
  EXPECT_TRUE(one.choices.empty());

  typed = base + "lis";
  EXPECT_EQ("ts/", completeFileName(typed, fileNamesBeginningWith(typed)).insert);

  typed = base + "li";
  Completion several = completeFileName(typed, fileNamesBeginningWith(typed));
  EXPECT_EQ("", several.insert);
  EXPECT_EQ((std::vector<std::string>{"links one.tree", "links two.tree", "lists/"}),
            several.choices);

  typed = base + "links";
  EXPECT_EQ(" ", completeFileName(typed, fileNamesBeginningWith(typed)).insert);
  typed = base + "none";
  EXPECT_TRUE(fileNamesBeginningWith(typed).empty());
  std::filesystem::remove_all(folder);
}
#endif
