#include "treefiles/safe_replace.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>

#include "support/tree_shape.h"
#include "treefiles/file_test_support.h"
#include "treefiles/outline_file.h"
#include "treefiles/tree_file.h"

namespace {

// Limits the size of files this process writes, as a nearly full disk does:
// a write past the limit fails with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int);
};

void buildBigTree(Ravelink& tree) {
  tree.setCurrentText("R");
  for (int i = 0; i < 2000; ++i) tree.addAsChild("a node text of some length", "http://x/");
}

mode_t permissions(const std::string& name) {
  struct stat info;
  stat(name.c_str(), &info);
  return info.st_mode & 07777;
}

}  // namespace

TEST(SafeSave, FailedWriteLeavesThePreviousFileByteIdentical) {
  TempFolder folder;
  const std::string old = "old\r\ncontents\r\nc\r\n\xe9\r\n\r\np\r\n";
  writeBytes(folder / "t.txt", old);
  writeBytes(folder / "v.txt", old);
  Ravelink tree;
  buildBigTree(tree);
  {
    FileSizeLimit limit(4096);
    EXPECT_ERROR(treeSave(tree, (folder / "t.txt").c_str()), "treeSave", "error writing file");
    EXPECT_ERROR(treeSaveVcl(tree, (folder / "v.txt").c_str()), "treeSave",
                 "error writing file");
    // A new file is not left behind half-written either.
    EXPECT_ERROR(treeSave(tree, (folder / "new.txt").c_str()), "treeSave",
                 "error writing file");
  }
  EXPECT_EQ(old, readBytes(folder / "t.txt"));
  EXPECT_EQ(old, readBytes(folder / "v.txt"));
  EXPECT_EQ("t.txt v.txt", folder.listing());  // no temporary file left
  EXPECT_EQ(0, tree.references().activeCount);
  EXPECT_TRUE(tree.isRoot());

  treeSave(tree, (folder / "t.txt").c_str());  // without the limit it works
  Ravelink loaded;
  treeLoad(loaded, (folder / "t.txt").c_str());
  EXPECT_EQ(treeRecords(tree), treeRecords(loaded));
}

TEST(SafeSave, FailuresBeforeWritingTouchNothing) {
  TempFolder folder;
  writeBytes(folder / "t.txt", "kept\r\n\r\n");
  Ravelink tree;
  buildShape(tree, "R(a)");
  EXPECT_ERROR(treeSave(tree, (folder / "no/such/folder/t.txt").c_str()), "treeSave",
               "error opening file");
  EXPECT_ERROR(treeSave(tree, ""), "treeSave", "error opening file");
  std::filesystem::create_directory(folder / "sub");
  EXPECT_ERROR(treeSave(tree, (folder / "sub").c_str()), "treeSave", "error opening file");
  EXPECT_ERROR(treeSaveVcl(tree, (folder / "sub/").c_str()), "treeSave", "error opening file");

  while (tree.references().activeCount < Ravelink::kStackSize) tree.pushActiveNode();
  EXPECT_ERROR(treeSave(tree, (folder / "t.txt").c_str()), "treeSave", "active node stack full");
  EXPECT_ERROR(treeSaveVcl(tree, (folder / "t.txt").c_str()), "treeSave",
               "active node stack full");
  EXPECT_EQ(Ravelink::kStackSize, tree.references().activeCount);
  EXPECT_EQ("kept\r\n\r\n", readBytes(folder / "t.txt"));
  EXPECT_EQ("sub t.txt", folder.listing());
}

// A save through a symbolic link must replace the file the link leads to,
// never the link: through a chain of links, a relative link into another
// folder (whose temporary file goes there), and a dangling link, which
// makes its file. A loop of links is refused.
TEST(SafeSave, ReplacesTheFileKeepingItsPermissionsAndLinks) {
  TempFolder folder;
  writeBytes(folder / "t.txt", "old\r\n\r\n");
  chmod((folder / "t.txt").c_str(), 0640);
  std::filesystem::create_symlink("t.txt", folder / "link.txt");
  std::filesystem::create_symlink("link.txt", folder / "chain.txt");
  std::filesystem::create_directory(folder / "sub");
  writeBytes(folder / "sub/deep.txt", "old\r\n\r\n");
  std::filesystem::create_symlink("sub/deep.txt", folder / "down.txt");
  std::filesystem::create_symlink("made.txt", folder / "sub/dangling.txt");
  std::filesystem::create_symlink("loop2", folder / "loop1");
  std::filesystem::create_symlink("loop1", folder / "loop2");
  Ravelink tree;
  tree.setCurrentText("new");
  treeSave(tree, (folder / "link.txt").c_str());
  EXPECT_EQ("new\r\n\r\n", readBytes(folder / "t.txt"));
  EXPECT_EQ(0640u, permissions(folder / "t.txt"));
  tree.setCurrentText("chained");
  treeSave(tree, (folder / "chain.txt").c_str());
  EXPECT_EQ("chained\r\n\r\n", readBytes(folder / "t.txt"));
  EXPECT_EQ(0640u, permissions(folder / "t.txt"));
  treeSaveVcl(tree, (folder / "down.txt").c_str());
  EXPECT_EQ("chained\r\n\r\n", readBytes(folder / "sub/deep.txt"));
  treeSave(tree, (folder / "sub/dangling.txt").c_str());
  EXPECT_EQ("chained\r\n\r\n", readBytes(folder / "sub/made.txt"));
  EXPECT_ERROR(treeSave(tree, (folder / "loop1").c_str()), "treeSave", "error opening file");
  for (const char* link : {"link.txt", "chain.txt", "down.txt", "sub/dangling.txt", "loop1"}) {
    EXPECT_TRUE(std::filesystem::is_symlink(folder / link)) << link;
  }
  EXPECT_EQ("chain.txt down.txt link.txt loop1 loop2 sub t.txt", folder.listing());
  EXPECT_EQ(3u, std::distance(std::filesystem::directory_iterator(folder / "sub"),
                              std::filesystem::directory_iterator()));
}

// A save replaces the file by a new one: another hard link to the old file
// keeps the old contents (doc/file-formats.md says so).
TEST(SafeSave, SplitsAFileWithSeveralHardLinks) {
  TempFolder folder;
  writeBytes(folder / "t.txt", "old\r\n\r\n");
  std::filesystem::create_hard_link(folder / "t.txt", folder / "other.txt");
  Ravelink tree;
  tree.setCurrentText("new");
  treeSave(tree, (folder / "t.txt").c_str());
  EXPECT_EQ("new\r\n\r\n", readBytes(folder / "t.txt"));
  EXPECT_EQ("old\r\n\r\n", readBytes(folder / "other.txt"));
  EXPECT_EQ(1u, std::filesystem::hard_link_count(folder / "t.txt"));
}

// Saving as root over another user's file once made the file root's.
TEST(SafeSave, KeepsTheOwnerAndGroupOfTheFileItReplaces) {
  if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  TempFolder folder;
  writeBytes(folder / "t.txt", "old\r\n\r\n");
  ASSERT_EQ(0, chown((folder / "t.txt").c_str(), 4321, 4322));
  chmod((folder / "t.txt").c_str(), 02640);  // a change of owner clears set-group-ID
  Ravelink tree;
  tree.setCurrentText("new");
  treeSave(tree, (folder / "t.txt").c_str());
  struct stat info;
  ASSERT_EQ(0, stat((folder / "t.txt").c_str(), &info));
  EXPECT_EQ(4321u, info.st_uid);
  EXPECT_EQ(4322u, info.st_gid);
  EXPECT_EQ(02640u, info.st_mode & 07777);
  EXPECT_EQ("new\r\n\r\n", readBytes(folder / "t.txt"));
  // A file of one's own stays one's own.
  treeSave(tree, (folder / "mine.txt").c_str());
  ASSERT_EQ(0, stat((folder / "mine.txt").c_str(), &info));
  EXPECT_EQ(0u, info.st_uid);
}

TEST(SafeSave, CommitFailsWhenTheStreamFailed) {
  TempFolder folder;
  writeBytes(folder / "f", "before");
  SafeReplace file((folder / "f").c_str());
  ASSERT_TRUE(file.open());
  file.stream() << "after";
  file.stream().setstate(std::ios::badbit);
  EXPECT_FALSE(file.commit());
  EXPECT_EQ("before", readBytes(folder / "f"));
  EXPECT_EQ("f", folder.listing());
}
