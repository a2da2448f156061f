#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace {

// Lists the tree; the paging prompt answers `stopAtPause` (1-based; 0 never
// stops) and counts how often it was asked.
struct Listing {
  std::string text;
  int pauses = 0;
};

Listing list(Ravelink& tree, int stopAtPause = 0) {
  Listing result;
  std::ostringstream out;
  tree.showTree(out, [&] { return ++result.pauses != stopAtPause; });
  result.text = out.str();
  return result;
}

// The name `letter` followed by `number`, e.g. "n12". Built by appending:
// GCC 12 at -O3 gives a false -Wrestrict warning for "n" + std::to_string(i).
std::string numbered(char letter, int number) {
  std::string name(1, letter);
  name += std::to_string(number);
  return name;
}

// A root "R" with `count` children "n1".."n<count>".
void buildFlat(Ravelink& tree, int count) {
  tree.setCurrentText("R");
  for (int i = 1; i <= count; ++i) tree.addAsChild(numbered('n', i).c_str(), "");
}

}  // namespace

TEST(TreeListing, DrawsBranchesColumnsAndTheMark) {
  Ravelink tree;
  buildShape(tree, "R(A(A1),B)");
  tree.browseFirstChild();
  tree.browseFirstChild();
  EXPECT_EQ("R\n+--A\n|  \\--A1*\n\\--B\n", list(tree).text);

  // A last sibling leaves blank columns below it; an only child is "\--".
  Ravelink last;
  buildShape(last, "R(A,B(B1(x,y),B2))");
  EXPECT_EQ(
      "R*\n"
      "+--A\n"
      "\\--B\n"
      "   +--B1\n"
      "   |  +--x\n"
      "   |  \\--y\n"
      "   \\--B2\n",
      list(last).text);

  Ravelink alone;
  EXPECT_EQ("*\n", list(alone).text);  // an empty root text, the user on it
  alone.addAsChild("a", "");
  alone.browseFirstChild();
  EXPECT_EQ("\n\\--a*\n", list(alone).text);
}

TEST(TreeListing, LeavesCursorAndStackAsTheyWere) {
  Ravelink tree;
  buildShape(tree, "R(a(b(c(d)),e),f)");
  tree.browseFirstChild();
  tree.browseFirstChild();
  tree.pushActiveNode();  // a user's entry stays below the listing's own
  tree.browseFirstChild();
  const std::string before = treeShape(tree);
  EXPECT_EQ("R\n+--a\n|  +--b\n|  |  \\--c*\n|  |     \\--d\n|  \\--e\n\\--f\n", list(tree).text);
  EXPECT_EQ(before, treeShape(tree));
  EXPECT_EQ(1, tree.references().activeCount);
  tree.popActiveNode();
  EXPECT_STREQ("b", tree.getCurrent()->getText());
}

TEST(TreeListing, PagesAfterEvery24thLineAndStopsOnRequest) {
  {
    Ravelink tree;
    buildFlat(tree, 23);  // 24 lines: the prompt follows the last one
    Listing full = list(tree);
    EXPECT_EQ(1, full.pauses);
    EXPECT_EQ(24u, static_cast<size_t>(std::count(full.text.begin(), full.text.end(), '\n')));
  }
  {
    Ravelink tree;
    buildFlat(tree, 49);  // 50 lines: prompts after 24 and 48
    Listing full = list(tree);
    EXPECT_EQ(2, full.pauses);
    EXPECT_NE(std::string::npos, full.text.find("\\--n49\n"));
  }
  {
    Ravelink tree;
    buildFlat(tree, 29);
    tree.browseFirstChild();
    for (int i = 0; i < 25; ++i) tree.browseNext();  // on n26, past the stop
    Listing stopped = list(tree, 1);
    EXPECT_EQ(1, stopped.pauses);
    EXPECT_EQ(24u,
              static_cast<size_t>(std::count(stopped.text.begin(), stopped.text.end(), '\n')));
    EXPECT_EQ("+--n23\n", stopped.text.substr(stopped.text.size() - 7));
    EXPECT_STREQ("n26", tree.getCurrent()->getText());
    EXPECT_EQ(0, tree.references().activeCount);
  }
}

TEST(TreeListing, FullStackFailsBeforeWritingAnything) {
  Ravelink tree;
  buildShape(tree, "R(a,b)");
  tree.browseFirstChild();
  for (int i = 0; i < Ravelink::kStackSize; ++i) tree.pushActiveNode();
  tree.browseNext();
  std::ostringstream out;
  EXPECT_ERROR(tree.showTree(out, [] { return true; }), "showTree", "active node stack full");
  EXPECT_EQ("", out.str());
  EXPECT_EQ(Ravelink::kStackSize, tree.references().activeCount);
  EXPECT_EQ("R(a,b*)", treeShape(tree));
}

// Nodes far below depth 33 get a column for every ancestor; the walk itself
// uses no recursion, so the depth is bounded only by memory.
TEST(TreeListing, DrawsAColumnForEveryAncestorOfADeepNode) {
  constexpr int kDepth = 2000;
  Ravelink tree;
  tree.setCurrentText("R");
  for (int depth = 1; depth <= kDepth; ++depth) {
    tree.addAsChild(numbered('d', depth).c_str(), "");
    tree.addAsChild("leaf", "");  // so that every chain node has a next sibling
    tree.browseFirstChild();
  }
  std::istringstream lines(list(tree).text);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ("R", line);
  for (int depth = 1; depth <= kDepth; ++depth) {
    std::string columns;
    for (int k = 1; k < depth; ++k) columns += "|  ";
    std::getline(lines, line);
    ASSERT_EQ(columns + "+--d" + std::to_string(depth) + (depth == kDepth ? "*" : ""), line);
  }
  // Then the leaves, innermost first: the deepest one under 1999 columns.
  std::string columns;
  for (int k = 1; k < kDepth; ++k) columns += "|  ";
  std::getline(lines, line);
  EXPECT_EQ(columns + "\\--leaf", line);
  EXPECT_STREQ(numbered('d', kDepth).c_str(), tree.getCurrent()->getText());
}
