#include <gtest/gtest.h>

#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace {

// Compares two subtrees node by node (texts, hrefs, shape) without
// recursion, and checks the links of `copy`. Returns "" when they match.
std::string compareSubtrees(const RavelinkChild* source, const RavelinkChild* copy) {
  const RavelinkChild* a = source;
  const RavelinkChild* b = copy;
  long visited = 0;
  for (;;) {
    ++visited;
    std::string where = "at node " + std::to_string(visited) + ": ";
    if (std::string(a->getText()) != b->getText()) return where + "text differs";
    if (std::string(a->getHref()) != b->getHref()) return where + "href differs";
    if ((a->getFirstChild() == nullptr) != (b->getFirstChild() == nullptr))
      return where + "children differ";
    if (a->getFirstChild() != nullptr) {
      a = a->getFirstChild();
      b = b->getFirstChild();
      if (b->getParent() == nullptr || b->getPrevSibling() != nullptr)
        return where + "bad child links";
      continue;
    }
    while (a != source) {
      if ((a->getNextSibling() == nullptr) != (b->getNextSibling() == nullptr))
        return where + "siblings differ";
      if (a->getNextSibling() != nullptr) break;
      a = a->getParent();
      b = b->getParent();
    }
    if (a == source) return b == copy ? "" : where + "copy climbed elsewhere";
    const RavelinkChild* previous = b;
    a = a->getNextSibling();
    b = b->getNextSibling();
    if (b->getPrevSibling() != previous || b->getParent() != previous->getParent())
      return where + "bad sibling links";
  }
}

}  // namespace

TEST(TreePaste, ErrorsComeInTheirOrderAndChangeNothing) {
  Ravelink tree;
  buildShape(tree, "R(a(a1(a2)),b)");
  EXPECT_ERROR(tree.pasteAsChild(), "treePaste", "clipboard is empty");

  // A full stack is reported before the clipboard node is looked up.
  go(tree, "c");
  tree.copyCurrent();
  tree.deleteTreeNode();
  for (int i = 0; i < Ravelink::kStackSize; ++i)
    tree.pushActiveNode();
  EXPECT_ERROR(tree.pasteAfter(), "treePaste", "stack is full");
  EXPECT_FALSE(tree.references().clipboard.empty());
  EXPECT_EQ(Ravelink::kStackSize, tree.references().activeCount);
  while (tree.references().activeCount > 0) tree.popActiveNode();

  // A deleted node empties the clipboard; the next paste finds it empty.
  EXPECT_ERROR(tree.pasteBefore(), "treePaste", "the node to paste is invalid");
  EXPECT_TRUE(tree.references().clipboard.empty());
  EXPECT_ERROR(tree.pasteBefore(), "treePaste", "clipboard is empty");
  EXPECT_EQ("R(b*)", treeShape(tree));
  EXPECT_EQ(0, tree.references().activeCount);

  Ravelink deep;
  buildShape(deep, "R(a(a1(a2)),b)");
  go(deep, "c");
  deep.copyCurrent();
  for (const char* below : {"cc", "ccc"}) {
    go(deep, below);
    EXPECT_ERROR(deep.pasteAsChild(), "treePaste", "cannot paste parent to child");
    EXPECT_ERROR(deep.pasteAfter(), "treePaste", "cannot paste parent to child");
  }
  EXPECT_EQ("R(a(a1(a2*)),b)", treeShape(deep));
  EXPECT_EQ(0, deep.references().activeCount);
}

TEST(TreePaste, PlacesTheCopyAndTheCursor) {
  struct Case {
    void (Ravelink::*paste)();
    const char* expected;
  } cases[] = {
      {&Ravelink::pasteBefore, "R(a(x(y)),b(a*(x(y)),b1,b2))"},
      {&Ravelink::pasteAfter, "R(a(x(y)),b(b1,a*(x(y)),b2))"},
      {&Ravelink::pasteAsChild, "R(a(x(y)),b(b1*(a(x(y))),b2))"},
  };
  for (const Case& c : cases) {
    Ravelink tree;
    buildShape(tree, "R(a(x(y)),b(b1,b2))");
    go(tree, "c");
    tree.copyCurrent();
    go(tree, "cnc");
    (tree.*c.paste)();
    EXPECT_EQ(c.expected, treeShape(tree));
    EXPECT_EQ(0, tree.references().activeCount);
    EXPECT_FALSE(tree.references().clipboard.empty());  // a good paste keeps the clipboard
  }
}

TEST(TreePaste, CopiesHrefsExactlyAndReadsTheSourceAtPasteTime) {
  Ravelink tree;
  tree.settings().hrefPrefix.set("http://p/");
  tree.settings().hrefSuffix.set(".html");
  tree.addAsChild("a", "one");
  tree.browseFirstChild();
  tree.addAsChild("plain", "");
  tree.copyCurrent();
  tree.addAsChild("late", "two");  // added after the copy: still pasted
  tree.setCurrentHref("raw");
  tree.pasteAfter();
  EXPECT_STREQ("a", tree.getCurrent()->getText());
  EXPECT_STREQ("raw", tree.getCurrent()->getHref());
  tree.browseFirstChild();
  EXPECT_STREQ("", tree.getCurrent()->getHref());
  tree.browseNext();
  EXPECT_STREQ("late", tree.getCurrent()->getText());
  EXPECT_STREQ("http://p/two.html", tree.getCurrent()->getHref());
}

// Pasting a node as its own child used to read the subtree it was growing
// and never end.
TEST(TreePaste, PasteUnderItselfCopiesOnce) {
  Ravelink tree;
  buildShape(tree, "R(a(x,y(z)),b)");
  go(tree, "c");
  tree.copyCurrent();
  tree.pasteAsChild();
  EXPECT_EQ("R(a*(x,y(z),a(x,y(z))),b)", treeShape(tree));

  Ravelink whole;
  buildShape(whole, "R(a,b(c))");
  whole.copyCurrent();
  whole.pasteAsChild();
  EXPECT_EQ("R*(a,b(c),R(a,b(c)))", treeShape(whole));

  // Before and after itself are plain pastes.
  go(tree, "cn");
  tree.copyCurrent();
  tree.pasteAfter();
  tree.pasteBefore();
  EXPECT_EQ("R(a(x,y(z),a(x,y(z))),b,b*,b)", treeShape(tree));
}

// A sibling paste at the root must not leave the target on the stack.
TEST(TreePaste, FailingAtTheRootLeavesTheStackAlone) {
  Ravelink tree;
  buildShape(tree, "R(a)");
  tree.copyCurrent();
  tree.pushActiveNode();
  EXPECT_ERROR(tree.pasteBefore(), "addTreeNode", "root node has no brother");
  EXPECT_ERROR(tree.pasteAfter(), "addTreeNode", "root node has no brother");
  EXPECT_EQ(1, tree.references().activeCount);
  EXPECT_EQ("R*(a)", treeShape(tree));
  // With 31 entries the paste still has room for its own.
  for (int i = 1; i < Ravelink::kStackSize - 1; ++i)
    tree.pushActiveNode();
  tree.pasteAsChild();
  EXPECT_EQ(Ravelink::kStackSize - 1, tree.references().activeCount);
  EXPECT_EQ("R*(a,R(a))", treeShape(tree));
}

TEST(TreePaste, CopiesHugeSubtreesWithoutRecursion) {
  constexpr int kCount = 100000;
  {
    Ravelink tree;
    tree.addAsChild("top", "t");
    tree.browseFirstChild();
    for (int i = 0; i < kCount; ++i) {
      tree.addAsChild(std::to_string(i).c_str(), i % 2 ? "odd" : "");
      tree.browseFirstChild();
    }
    go(tree, "c");
    tree.copyCurrent();
    tree.pasteAfter();
    EXPECT_EQ("", compareSubtrees(tree.getRoot()->getFirstChild(), tree.getCurrent()));
  }
  {
    Ravelink tree;
    tree.addAsChild("top", "");
    tree.browseFirstChild();
    tree.addAsChild("0", "h0");
    tree.browseFirstChild();
    for (int i = 1; i < kCount; ++i)
      tree.addAsNext(std::to_string(i).c_str(), "h");
    tree.addAsChild("under the last", "u");
    go(tree, "c");
    tree.copyCurrent();
    tree.pasteAsChild();  // into itself, while the walk reads the same chain
    const RavelinkChild* top = tree.getRoot()->getFirstChild();
    const RavelinkChild* last = top->getFirstChild();
    while (last->getNextSibling() != nullptr)
      last = last->getNextSibling();
    EXPECT_STREQ("top", last->getText());
    Ravelink reference;  // the source as it was before the paste
    reference.addAsChild("top", "");
    reference.browseFirstChild();
    reference.addAsChild("0", "h0");
    reference.browseFirstChild();
    for (int i = 1; i < kCount; ++i)
      reference.addAsNext(std::to_string(i).c_str(), "h");
    reference.addAsChild("under the last", "u");
    EXPECT_EQ("", compareSubtrees(reference.getRoot()->getFirstChild(), last));
  }
}
