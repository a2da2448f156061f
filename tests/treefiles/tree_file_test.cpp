#include "treefiles/tree_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <sstream>
#include <string>

#include "support/tree_shape.h"
#include "tree/tree_check.h"
#include "treefiles/file_test_support.h"
#include "treefiles/outline_file.h"

namespace {

// R has children A and B; A has the child A1; B's href is empty.
void buildExample(Ravelink& tree) {
  tree.setCurrentText("R");
  tree.setCurrentHref("http://r/");
  tree.addAsChild("A", "a.html");
  tree.addAsChild("B", "");
  tree.browseFirstChild();
  tree.addAsChild("A1", "a1.html");
  tree.gotoRoot();
}

const char kExampleFile[] =
    "R\r\nhttp://r/\r\nc\r\nA\r\na.html\r\nc\r\nA1\r\na1.html\r\np\r\nn\r\nB\r\n\r\np\r\n";

}  // namespace

TEST(TreeFileSave, WritesMarkersInPreOrderAndKeepsTheCursor) {
  Ravelink tree;
  buildExample(tree);
  tree.browseFirstChild();
  tree.browseFirstChild();
  tree.pushActiveNode();
  EXPECT_EQ(kExampleFile, savedMarkers(tree));
  EXPECT_EQ(kExampleFile, savedMarkers(tree));  // any number of saves in a row
  EXPECT_EQ("R(A(A1*),B)", treeShape(tree));
  EXPECT_EQ(1, tree.references().activeCount);
  EXPECT_TRUE(checkActiveNode(tree));

  Ravelink alone;
  alone.setCurrentText("only");
  EXPECT_EQ("only\r\n\r\n", savedMarkers(alone));
}

TEST(TreeFileSave, ClimbsEveryLevelBackToTheRoot) {
  Ravelink tree;
  buildShape(tree, "R(a(b(c(d))),e)");
  EXPECT_EQ("R\r\n\r\nc\r\na\r\n\r\nc\r\nb\r\n\r\nc\r\nc\r\n\r\nc\r\nd\r\n\r\n"
            "p\r\np\r\np\r\nn\r\ne\r\n\r\np\r\n",
            savedMarkers(tree));
}

TEST(TreeFileSave, FailuresReportedAndCursorKept) {
  Ravelink tree;
  buildExample(tree);
  tree.browseFirstChild();
  {
    FullDiskBuffer disk(20);  // fails inside the second record
    std::ostream out(&disk);
    EXPECT_ERROR(writeTreeFile(tree, out), "treeSave", "error writing file");
    EXPECT_EQ("R(A*(A1),B)", treeShape(tree));
    EXPECT_EQ(0, tree.references().activeCount);
  }
  // The writer itself does not look at the stack (a rescue save must write
  // whatever it holds); the save command's refusal is in safe_replace_test.
  std::ostringstream empty;
  writeTreeFile(tree, empty);
  for (int i = 0; i < Ravelink::kStackSize; ++i) tree.pushActiveNode();
  std::ostringstream full;
  writeTreeFile(tree, full);
  EXPECT_EQ(empty.str(), full.str());
  EXPECT_EQ(Ravelink::kStackSize, tree.references().activeCount);
  EXPECT_EQ("R(A*(A1),B)", treeShape(tree));
}

TEST(TreeFileLoad, ReadsWhatWasWritten) {
  Ravelink tree;
  tree.settings().hrefPrefix.set("pre/");  // reset by the load, so hrefs stay as read
  loadMarkers(tree, kExampleFile);
  EXPECT_EQ("R*(A(A1),B)", treeShape(tree));
  EXPECT_EQ("0|R|http://r/\n1|A|a.html\n2|A1|a1.html\n1|B|\n", treeRecords(tree));
  EXPECT_STREQ("", tree.settings().hrefPrefix.get());
  EXPECT_STREQ("", tree.settings().baseTarget.get());
  EXPECT_EQ(0, tree.references().activeCount);
  EXPECT_TRUE(tree.references().clipboard.empty());

  loadMarkers(tree, "root\r\nhref\r\n");
  EXPECT_EQ("0|root|href\n", treeRecords(tree));
}

TEST(TreeFileLoad, ReadsTextModeFiles) {
  std::string lfOnly = "R\nhttp://r/\nc\nA\na.html\nc\nA1\na1.html\np\nn\nB\n\np\n";
  std::string wanted = "0|R|http://r/\n1|A|a.html\n2|A1|a1.html\n1|B|\n";
  struct Case {
    std::string bytes;
    const char* why;
  } cases[] = {
      {lfOnly, "LF line ends"},
      {lfOnly.substr(0, lfOnly.size() - 1), "no line end after the last p"},
      {std::string(kExampleFile) + "garbage\r\nmore\r\n", "lines after the last p"},
      {std::string(kExampleFile) + "\x1a" + "c\r\n", "0x1A after the last p"},
      {"R\r\nhttp://r/\r\ncx\r\nA\r\na.html\r\nc   \r\nA1\r\na1.html\r\n"
       "pp\r\nnope\r\nB\r\n\r\np\r\n",
       "only the first byte of a marker counts"},
  };
  for (const Case& c : cases) {
    Ravelink tree;
    loadMarkers(tree, c.bytes);
    EXPECT_EQ(wanted, treeRecords(tree)) << c.why;
  }
  Ravelink tree;
  loadMarkers(tree, "R\r\nh\r\n\x1a" "c\r\nA\r\n\r\np\r\n");  // the file ends at 0x1A
  EXPECT_EQ("0|R|h\n", treeRecords(tree));
}

TEST(TreeFileLoad, TakesLongLinesWholeAndCutsThemToTheField) {
  std::string href127(127, 'h'), text100(100, 't');
  Ravelink tree;
  loadMarkers(tree, href127 + "\r\n" + href127 + "\r\nc\r\n" + text100 + "\r\n" + std::string(200, 'x') +
                 "\r\np\r\n");
  EXPECT_EQ("0|" + std::string(63, 'h') + "|" + href127 + "\n1|" + std::string(63, 't') + "|" +
                std::string(127, 'x') + "\n",
            treeRecords(tree));
}

TEST(TreeFileLoad, RejectsDamagedFilesKeepingWhatWasRead) {
  struct Case {
    std::string bytes;
    const char* message;
    const char* shape;  // the tree left, current marked
  } cases[] = {
      {"", "unexpected end-of-file", "*"},
      {"R\r\n", "unexpected end-of-file", "*"},
      {"R\r\nh\r\nn\r\nA\r\n\r\n", "unknown file info", "R*"},
      {"R\r\nh\r\np\r\n", "unknown file info", "R*"},
      {"R\r\nh\r\nC\r\nA\r\n\r\n", "unknown file info", "R*"},
      {"R\r\nh\r\n\r\n", "unknown file info", "R*"},
      {"R\r\nh\r\nc\r\nA\r\n", "unexpected end-of-file", "R*"},
      {"R\r\nh\r\nc\r\nA\r\n\r\n", "unexpected end-of-file", "R(A*)"},
      {"R\r\nh\r\nc\r\nA\r\n\r\nc\r\nA1\r\n\r\np\r\n", "unexpected end-of-file", "R(A*(A1))"},
      {"R\r\nh\r\nc\r\nA\r\n\r\nn\r\nB\r\n\r\nC\r\n", "unexpected file info", "R(A,B*)"},
      {"R\r\nh\r\nc\r\nA\r\n\r\n\r\n", "unexpected file info", "R(A*)"},
      {"R\r\nh\r\nc\r\nA\r\n\r\nn\r\nB\r\n\x1a\r\np\r\n", "unexpected end-of-file", "R(A*)"},
  };
  for (const Case& c : cases) {
    Ravelink tree;
    buildShape(tree, "old(x,y)");
    EXPECT_ERROR(loadMarkers(tree, c.bytes), "treeLoad", c.message);
    EXPECT_EQ(c.shape, treeShape(tree)) << "file: " << c.bytes;
  }
}

TEST(TreeFileLoad, ChildAfterClimbIsAppendedButReadingGoesOnAtTheFirstChild) {
  // The writer never writes "c" after "p"; a hand-made file may.
  Ravelink tree;
  loadMarkers(tree, "R\n\nc\nA\n\nc\nA1\n\np\nc\nA2\n\nn\nX\n\np\np\n");
  EXPECT_EQ("R*(A(A1,X,A2))", treeShape(tree));
}

TEST(TreeFileLoad, FileThatCannotBeOpenedChangesNothing) {
  TempFolder folder;
  Ravelink tree;
  buildShape(tree, "R(a)");
  EXPECT_ERROR(treeLoad(tree, (folder / "missing.txt").c_str()), "treeLoad",
               "error opening file");
  EXPECT_ERROR(treeLoad(tree, ""), "treeLoad", "error opening file");
  EXPECT_ERROR(treeLoad(tree, (folder / "").c_str()), "treeLoad", "error opening file");
  EXPECT_ERROR(treeLoad(tree, "/dev/zero"), "treeLoad", "error opening file");  // no end
  EXPECT_EQ("R*(a)", treeShape(tree));
}

// A FIFO without a writer once made "load" wait for ever; anything but a
// regular file is refused at once, by both loaders.
TEST(TreeFileLoad, OnlyARegularFileIsOpened) {
  TempFolder folder;
  ASSERT_EQ(0, mkfifo((folder / "fifo").c_str(), 0600));
  int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_LE(0, socketFd);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string socketName = folder / "sock";
  ASSERT_LT(socketName.size(), sizeof address.sun_path);
  std::copy(socketName.begin(), socketName.end(), address.sun_path);
  ASSERT_EQ(0, bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address));
  std::filesystem::create_directory(folder / "dir");
  writeBytes(folder / "good", "G\r\n\r\n");
  std::filesystem::create_symlink(folder / "good", folder / "link");
  for (const char* name : {"fifo", "sock", "dir", "/dev/null", "/dev/zero"}) {
    std::string path = name[0] == '/' ? std::string(name) : folder / name;
    Ravelink tree;
    buildShape(tree, "R(a)");
    std::ostringstream console;
    EXPECT_ERROR(treeLoad(tree, path.c_str()), "treeLoad", "error opening file");
    EXPECT_ERROR(treeLoadVcl(tree, path.c_str(), console), "treeLoad", "error opening file");
    EXPECT_EQ("R*(a)", treeShape(tree)) << name;
  }
  close(socketFd);
  // A link to a regular file is a regular file.
  Ravelink tree;
  treeLoad(tree, (folder / "link").c_str());
  EXPECT_EQ("0|G|\n", treeRecords(tree));
}

TEST(TreeFileLoad, DropsControlBytesAndCutsHugeLinesToTheField) {
  Ravelink tree;
  std::string huge(3 << 20, 'w');
  loadMarkers(tree, "\x1b]0;owned\x07R\x1b[2J\r\nh\x7f\tx\r\nc\r\n\x01" + huge + "\r\n" + huge +
                 "\r\np\r\n");
  EXPECT_EQ("0|]0;ownedR[2J|h\x7fx\n1|" + std::string(63, 'w') + "|" + std::string(127, 'w') +
                "\n",
            treeRecords(tree));
}

// A hand-made file may put "c" after "p", appending to a node that already
// has children, and the load then goes on at that node's first child. Files
// that alternate such appends between two long families of children used to
// walk each family on every append: 60,000 of them took 80 seconds.
TEST(TreeFileLoad, AppendsToLongFamiliesWithoutWalkingThem) {
  constexpr int kRounds = 30000;
  std::string file = "R\r\n\r\nc\r\nX\r\n\r\nc\r\nF\r\n\r\n";
  for (int i = 0; i < kRounds; ++i) file += "c\r\ng\r\n\r\np\r\np\r\nc\r\nx\r\n\r\n";
  file += "p\r\np\r\n";
  Ravelink tree;
  loadMarkers(tree, file);
  // X's children: F, then one x per round; F's children: one g per round.
  go(tree, "c");
  int xFamily = 0, gFamily = 0;
  for (const RavelinkChild* n = tree.getCurrent()->getFirstChild(); n; n = n->getNextSibling()) {
    xFamily += std::string(n->getText()) == "x";
  }
  go(tree, "cc");
  EXPECT_STREQ("F", tree.getCurrent()->getText());
  for (const RavelinkChild* n = tree.getCurrent()->getFirstChild(); n; n = n->getNextSibling()) {
    gFamily += std::string(n->getText()) == "g";
  }
  EXPECT_EQ(kRounds, xFamily);
  EXPECT_EQ(kRounds, gFamily);
  EXPECT_EQ("", checkTree(tree));
}
