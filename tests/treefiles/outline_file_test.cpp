#include "treefiles/outline_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/tree_shape.h"
#include "treefiles/file_test_support.h"

namespace {

const char kExampleOutline[] =
    "R\r\nhttp://r/\r\n\tA\r\n\ta.html\r\n\t\tA1\r\n\t\ta1.html\r\n\tB\r\n\t\r\n";

}  // namespace

TEST(OutlineSave, IndentsEachRecordByItsDepthAndKeepsTheCursor) {
  Ravelink tree;
  tree.setCurrentText("R");
  tree.setCurrentHref("http://r/");
  tree.addAsChild("A", "a.html");
  tree.addAsChild("B", "");
  tree.browseFirstChild();
  tree.addAsChild("A1", "a1.html");
  tree.pushActiveNode();
  EXPECT_EQ(kExampleOutline, savedOutline(tree));
  EXPECT_EQ("R(A*(A1),B)", treeShape(tree));
  EXPECT_EQ(1, tree.references().activeCount);

  // A tab in a text is left out, so the indentation stays exact.
  Ravelink tabs;
  tabs.setCurrentText("a\tb");
  tabs.addAsChild("\tc", "\t");
  EXPECT_EQ("ab\r\n\r\n\tc\r\n\t\r\n", savedOutline(tabs));

  // The writer does not look at the stack; treeSaveVcl refuses a full one.
  while (tree.references().activeCount < Ravelink::kStackSize) tree.pushActiveNode();
  EXPECT_EQ(kExampleOutline, savedOutline(tree));
  FullDiskBuffer disk(10);
  std::ostream out(&disk);
  tree.popActiveNode();
  EXPECT_ERROR(writeVclFile(tree, out), "treeSave", "error writing file");
  EXPECT_EQ("R(A*(A1),B)", treeShape(tree));
}

TEST(OutlineLoad, BuildsTheShapeFromDepthDifferences) {
  struct Case {
    const char* bytes;
    const char* shape;
  } cases[] = {
      {kExampleOutline, "R*(A(A1),B)"},
      {"R\nh\n", "R*"},
      {"\tR\n\th\n", "R*"},                               // the root's tabs are dropped
      {"R\nh\n\ta\n\t\n\t\t\tb\n\t\t\t\n\t\tc\n\t\t\n\t\td\n\t\t\n", "R*(a(b),c,d)"},  // 1,3,2,2
      {"R\nh\n\t\t\ta\n\t\t\t\n", "R*(a)"},               // any depth for the first child
      {"R\nh\n\ta\n\t\n\tb\n", "R*(a)"},                  // an odd last line is ignored
      {"R\nh\n\ta\n\t\n\t\tb\n\t\t\n\t\t\tc\n\t\t\t\n\td\n\t\n", "R*(a(b(c)),d)"},
  };
  for (const Case& c : cases) {
    Ravelink tree;
    EXPECT_EQ("", loadOutline(tree, c.bytes));
    EXPECT_EQ(c.shape, treeShape(tree)) << c.bytes;
  }
  Ravelink spaces;
  loadOutline(spaces, " R\n h\n\t x\n\t y\n");
  EXPECT_EQ("0| R| h\n1| x| y\n", treeRecords(spaces));  // spaces belong to the content
}

TEST(OutlineLoad, RejectsDamagedOutlinesKeepingWhatWasRead) {
  struct Case {
    std::string bytes;
    const char* console;
    const char* func;
    const char* message;
    const char* shape;
  } cases[] = {
      {"", "", "treeLoad", "unexpected end-of-file", "*"},
      {"R\n", "", "treeLoad", "unexpected end-of-file", "*"},
      {"R\n\th\n", "errB\n", "treeLoad", "unknown file info", "*"},
      {"R\nh\nA\na\n", "errA\n", "treeLoad", "unknown file info", "R*"},
      {"R\nh\n\n\n", "errA\n", "treeLoad", "unknown file info", "R*"},
      {"R\nh\n\n\ta\n", "errB\n", "treeLoad", "unknown file info", "R*"},
      {"R\nh\n\ta\n\t\n\t\tb\n\t\n", "errB\n", "treeLoad", "unknown file info", "R(a*)"},
      {"R\nh\n\t\t\ta\n\t\t\t\n\tb\n\t\n", "", "treeBrowse", "no parent node", "R*(a)"},
      {"R\nh\n\ta\n\t\nb\n\n", "", "addTreeNode", "root node has no brother", "R*(a)"},
  };
  for (const Case& c : cases) {
    Ravelink tree;
    buildShape(tree, "old(x,y)");
    std::istringstream in(c.bytes);
    std::ostringstream console;
    EXPECT_ERROR(readVclFile(tree, in, console), c.func, c.message);
    EXPECT_EQ(c.console, console.str()) << c.bytes;
    EXPECT_EQ(c.shape, treeShape(tree)) << c.bytes;
  }
}

TEST(OutlineLoad, ReadsDeepLinesWhole) {
  // At depth 100 a 30-byte text makes a 130-byte line.
  Ravelink tree;
  tree.setCurrentText("R");
  for (int depth = 1; depth <= 100; ++depth) {
    tree.addAsChild(std::string(30, 'a' + depth % 26).c_str(), std::string(127, 'h').c_str());
    tree.browseFirstChild();
  }
  std::string records = treeRecords(tree);
  Ravelink loaded;
  EXPECT_EQ("", loadOutline(loaded, savedOutline(tree)));
  EXPECT_EQ(records, treeRecords(loaded));
}


TEST(OutlineLoad, CountsOnlyLeadingTabsAndDropsOtherControlBytes) {
  Ravelink tree;
  std::string deep(1 << 20, '\t');
  EXPECT_EQ("", loadOutline(tree, "\x1b[31mR\x07\n\x01h\n\ta\tb\x1b[0m\n\t\x05x\ty\n" + deep + "d\n" + deep +
                               "\x1b\n" + deep + "e\n" + deep + "\n"));
  EXPECT_EQ("0|[31mR|h\n1|ab[0m|xy\n2|d|\n2|e|\n", treeRecords(tree));
}
