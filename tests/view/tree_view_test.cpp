// The full-screen view without the terminal: what is shown, what is
// highlighted and which part is on screen after each move.
#include "view/tree_view.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace {

using Move = TreeView::Move;

// The screen as text: "> " before the highlighted line, "  " before the
// others; the empty lines below the last node left out.
std::string screen(const TreeView& view) {
  std::string text;
  const std::vector<std::string> lines = view.screenLines();
  int shown = static_cast<int>(lines.size());
  while (shown > 0 && lines[static_cast<std::size_t>(shown - 1)].empty())
    --shown;
  for (int row = 0; row < shown; ++row) {
    text +=
        (row == view.highlightedRow() ? "> " : "  ") + lines[static_cast<std::size_t>(row)] + "\n";
  }
  return text;
}

// A root R with children n0..n<count - 1>.
void buildWide(Ravelink& tree, int count) {
  tree.setCurrentText("R");
  for (int i = 0; i < count; ++i) {
    std::string name = "n";
    name += std::to_string(i);
    tree.addAsChild(name.c_str(), "");
  }
}

}  // namespace

// Root, children and grandchildren shown, deeper folded with the count of
// children; the path to the current node open; the current node marked and
// highlighted.
TEST(TreeView, OpensTwoLevelsDeepAndThePathToTheCurrentNode) {
  Ravelink tree;
  buildShape(tree, "R(a(a1(x(y),z),a2),b(b1(p,q)))");
  go(tree, "cncc");  // b > b1 > p
  TreeView view(tree, 20, 40);
  EXPECT_EQ(
      "  R\n"
      "  +--a\n"
      "  |  +--a1 [+2]\n"
      "  |  \\--a2\n"
      "  \\--b\n"
      "     \\--b1\n"
      ">       +--p*\n"
      "        \\--q\n",
      screen(view));
  EXPECT_TRUE(view.isFolded(tree.getRoot()->getFirstChild()->getFirstChild()));
}

TEST(TreeView, FoldsOpensAndMovesWithTheArrowKeys) {
  Ravelink tree;
  buildShape(tree, "R(a(a1(x(y),z),a2),b)");
  TreeView view(tree, 20, 40);
  view.move(Move::kDown);
  view.move(Move::kDown);   // on a1, folded
  view.move(Move::kRight);  // opens it
  EXPECT_EQ("  R*\n  +--a\n> |  +--a1\n  |  |  +--x [+1]\n  |  |  \\--z\n  |  \\--a2\n  \\--b\n",
            screen(view));
  view.move(Move::kRight);  // open: down to its first child
  view.move(Move::kRight);  // x folded: opens
  view.move(Move::kRight);
  EXPECT_STREQ("y", view.highlighted()->getText());
  view.move(Move::kRight);  // no children: nothing
  view.move(Move::kLeft);   // no children: to the parent
  view.move(Move::kLeft);   // x open: folds it
  EXPECT_EQ("  R*\n  +--a\n  |  +--a1\n> |  |  +--x [+1]\n  |  |  \\--z\n  |  \\--a2\n  \\--b\n",
            screen(view));
  view.move(Move::kLeft);  // folded: to the parent
  view.move(Move::kLeft);  // folds a1
  view.move(Move::kDown);
  EXPECT_STREQ("a2", view.highlighted()->getText());
  view.move(Move::kHome);
  view.move(Move::kLeft);  // folds the root
  view.move(Move::kUp);
  view.move(Move::kDown);
  view.move(Move::kLeft);  // the root: no parent
  EXPECT_EQ("> R* [+2]\n", screen(view));
  // Opened again, the root shows what was shown below it before.
  view.move(Move::kRight);
  view.move(Move::kEnd);
  EXPECT_STREQ("b", view.highlighted()->getText());
  view.move(Move::kUp);
  EXPECT_STREQ("a2", view.highlighted()->getText());
}

// A screen of 4 lines over 13 nodes: the list scrolls under the highlight,
// pages keep its line, End shows a full last screen.
TEST(TreeView, ScrollsByLinesPagesAndToTheEnds) {
  Ravelink tree;
  buildWide(tree, 12);
  TreeView view(tree, 4, 30);
  for (int i = 0; i < 6; ++i)
    view.move(Move::kDown);
  EXPECT_EQ("  +--n2\n  +--n3\n  +--n4\n> +--n5\n", screen(view));
  view.move(Move::kUp);
  view.move(Move::kUp);
  EXPECT_EQ("  +--n2\n> +--n3\n  +--n4\n  +--n5\n", screen(view));
  view.move(Move::kPageDown);
  EXPECT_EQ("  +--n5\n> +--n6\n  +--n7\n  +--n8\n", screen(view));
  view.move(Move::kPageDown);
  view.move(Move::kPageDown);  // stops at the last node, the screen full
  EXPECT_EQ("  +--n8\n  +--n9\n  +--n10\n> \\--n11\n", screen(view));
  view.move(Move::kPageUp);
  EXPECT_EQ("  +--n5\n  +--n6\n  +--n7\n> +--n8\n", screen(view));
  view.move(Move::kPageUp);
  view.move(Move::kPageUp);  // the list at its top: the highlight keeps its line
  EXPECT_EQ("  R*\n  +--n0\n  +--n1\n> +--n2\n", screen(view));
  view.move(Move::kPageUp);
  EXPECT_EQ("> R*\n  +--n0\n  +--n1\n  +--n2\n", screen(view));
  view.move(Move::kEnd);
  EXPECT_EQ("  +--n8\n  +--n9\n  +--n10\n> \\--n11\n", screen(view));
  view.move(Move::kHome);
  EXPECT_STREQ("R", view.highlighted()->getText());
  EXPECT_EQ(0, view.highlightedRow());
  // Smaller, the highlight stays on screen; larger, the screen fills up.
  view.move(Move::kEnd);
  view.resize(2, 30);
  EXPECT_EQ("  +--n10\n> \\--n11\n", screen(view));
  view.resize(5, 30);
  EXPECT_EQ("  +--n7\n  +--n8\n  +--n9\n  +--n10\n> \\--n11\n", screen(view));
}

// The search goes on from the highlighted node, opens what hides the match
// and leaves the tree's own cursor alone; an empty text repeats, starting
// with the find command's last search.
TEST(TreeView, SearchOpensTheWayToTheMatchAndRepeats) {
  Ravelink tree;
  buildShape(tree, "R(a(a1(deep news)),b(news two),c)");
  go(tree, "cnn");
  tree.findNext("NEWS");  // wraps round to "deep news"; the last search now
  go(tree, "cnn");
  TreeView view(tree, 10, 30);
  EXPECT_TRUE(view.search(""));
  EXPECT_EQ(
      "  R\n  +--a\n  |  \\--a1\n> |     \\--deep news\n  +--b\n  |  \\--news two\n  \\--c*\n",
      screen(view));
  EXPECT_TRUE(view.search(""));
  EXPECT_STREQ("news two", view.highlighted()->getText());
  EXPECT_FALSE(view.search("weather"));
  EXPECT_STREQ("news two", view.highlighted()->getText());
  EXPECT_FALSE(view.search(""));  // "n" repeats "weather", found or not
  EXPECT_TRUE(view.search("a1"));
  EXPECT_TRUE(view.search(""));  // the only match: found again
  EXPECT_STREQ("a1", view.highlighted()->getText());
  EXPECT_STREQ("c", tree.getCurrent()->getText());

  Ravelink fresh;  // no search yet
  TreeView empty(fresh, 10, 30);
  EXPECT_FALSE(empty.search(""));
}

// A line never goes wider than the window: long and wide texts are cut at a
// whole character, control bytes and broken UTF-8 show as "?", and a node
// deeper than the window shows the deepest branches behind "<".
TEST(TreeView, LinesFitTheWindowWhateverTheTextAndDepth) {
  Ravelink tree;
  tree.setCurrentText("R");
  tree.addAsChild("tab\there \xff bad \xc3", "");
  tree.addAsChild("新华网新华网", "");
  tree.addAsChild("Straße und Café, a long text that goes on", "");
  TreeView view(tree, 5, 14);
  EXPECT_EQ(
      "> R*\n"
      "  +--tab?here ? \n"
      "  +--新华网新华\n"
      "  \\--Straße und \n",
      screen(view));
  for (const std::string& line : view.screenLines())
    EXPECT_LE(displayColumns(line), 14);

  Ravelink deep;
  deep.setCurrentText("top");
  constexpr int kDepth = 100000;
  for (int i = 0; i < kDepth; ++i) {
    deep.addAsChild(i % 2 == 0 ? "even" : "odd", "");
    deep.browseFirstChild();
  }
  TreeView chain(deep, 4, 30);  // the whole path open down to the bottom
  chain.move(Move::kEnd);
  const std::vector<std::string> lines = chain.screenLines();
  // Two thirds of 30 columns for the branches: "<" and the last 19 bytes.
  EXPECT_EQ("<" + std::string(16, ' ') + "\\--even", lines[0]);
  EXPECT_EQ("<" + std::string(16, ' ') + "\\--odd*", lines[3]);
  chain.move(Move::kHome);
  EXPECT_EQ("top", chain.screenLines()[0]);
  EXPECT_EQ("\\--even", chain.screenLines()[1]);
}

TEST(TreeView, StatusLineShowsTheHrefAndTheKeysOrAMessage) {
  Ravelink tree;
  tree.setCurrentHref("https://example.org/a/long/path");
  TreeView wide(tree, 3, 80);
  const std::string keys = "Enter go  q back  / find  n next  o open";
  EXPECT_EQ("https://example.org/a/long/path" + std::string(79 - 31 - keys.size(), ' ') + keys,
            wide.statusLine(""));
  TreeView narrow(tree, 3, 30);
  EXPECT_EQ("https://exampl  Enter q / n o", narrow.statusLine(""));
  EXPECT_EQ("https://example.or  not found", narrow.statusLine("not found"));
  // A message too long for the line shows alone, cut.
  EXPECT_EQ("opening https://example.org/a",
            narrow.statusLine("opening https://example.org/a/long/path"));
  tree.setCurrentHref("");
  TreeView none(tree, 3, 30);
  EXPECT_EQ("(no href)", none.statusLine("").substr(0, 9));
}
