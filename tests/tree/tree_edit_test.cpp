#include <gtest/gtest.h>

#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"
#include "tree/tree_check.h"

TEST(TreeEdit, AddsKeepLinksAndPlaceTheCursor) {
  Ravelink tree;
  tree.setCurrentText("R");
  tree.addAsChild("a", "");
  tree.addAsChild("b", "");
  tree.addAsChild("c", "");
  EXPECT_EQ("R*(a,b,c)", treeShape(tree));
  tree.browseFirstChild();
  tree.browseNext();
  tree.addAsNext("x", "");
  EXPECT_EQ("R(a,b,x*,c)", treeShape(tree));
  tree.browsePrevious();
  tree.browsePrevious();
  tree.addAsPrevious("first", "");  // becomes the parent's first child
  EXPECT_EQ("R(first*,a,b,x,c)", treeShape(tree));
  tree.addAsChild("deep", "");
  EXPECT_EQ("R(first*(deep),a,b,x,c)", treeShape(tree));
}

// Adds to a parent with many children remember its last child; the memory
// must survive siblings inserted after it and be forgotten when nodes are
// deleted, so the order stays right and no freed node is touched.
TEST(TreeEdit, RepeatedAddsAsChildKeepTheirOrder) {
  Ravelink tree;
  tree.setCurrentText("R");
  tree.addAsChild("a", "");
  tree.addAsChild("b", "");
  tree.browseFirstChild();
  tree.browseNext();
  tree.addAsNext("c", "");  // after the remembered "b"
  tree.browseParent();
  tree.addAsChild("d", "");
  EXPECT_EQ("R*(a,b,c,d)", treeShape(tree));
  go(tree, "cnnn");
  tree.deleteTreeNode();  // "d", the remembered one
  tree.browseParent();
  tree.addAsChild("e", "");
  tree.browseFirstChild();
  tree.addAsChild("a1", "");  // another parent
  tree.browseParent();
  tree.addAsChild("f", "");
  EXPECT_EQ("R*(a(a1),b,c,e,f)", treeShape(tree));
  tree.clearTree();
  tree.addAsChild("x", "");
  EXPECT_EQ("*(x)", treeShape(tree));
  for (int i = 0; i < 200000; ++i) tree.addAsChild("y", "");
  go(tree, "c");
  EXPECT_STREQ("x", tree.getCurrent()->getText());
}

TEST(TreeEdit, RememberedLastChildOfALongFamilyFollowsInsertsAndDeletes) {
  Ravelink tree;
  for (int i = 0; i < 100; ++i) tree.addAsChild("c", "");
  tree.addAsChild("last", "");  // long walk: the last child is remembered
  go(tree, "c");
  while ((tree.getCurrent()->getNextSibling() != nullptr)) tree.browseNext();
  tree.addAsNext("after", "");  // a sibling after the remembered one
  tree.browseParent();
  tree.addAsChild("x", "");
  go(tree, "c");
  while ((tree.getCurrent()->getNextSibling() != nullptr)) tree.browseNext();
  EXPECT_STREQ("x", tree.getCurrent()->getText());
  tree.deleteTreeNode();  // the remembered node goes
  EXPECT_STREQ("after", tree.getCurrent()->getText());
  tree.browseParent();
  tree.addAsChild("y", "");
  go(tree, "c");
  while ((tree.getCurrent()->getNextSibling() != nullptr)) tree.browseNext();
  EXPECT_STREQ("y", tree.getCurrent()->getText());
  tree.browsePrevious();
  EXPECT_STREQ("after", tree.getCurrent()->getText());
  EXPECT_EQ("", checkTree(tree));
}

TEST(TreeEdit, FailedOperationsChangeNothing) {
  Ravelink tree;
  buildShape(tree, "R(a(a1),b)");
  EXPECT_ERROR(tree.addAsNext("x", "h"), "addTreeNode", "root node has no brother");
  EXPECT_ERROR(tree.addAsPrevious("x", "h"), "addTreeNode", "root node has no brother");
  EXPECT_ERROR(tree.deleteTreeNode(), "deleteTreeNode", "cannot delete the root node");
  EXPECT_ERROR(tree.browseParent(), "treeBrowse", "no parent node");
  EXPECT_ERROR(tree.browseNext(), "treeBrowse", "no next node");
  EXPECT_ERROR(tree.browsePrevious(), "treeBrowse", "no previous node");
  tree.browseFirstChild();
  tree.browseFirstChild();
  EXPECT_ERROR(tree.browseFirstChild(), "treeBrowse", "no child node");
  EXPECT_EQ("R(a(a1*),b)", treeShape(tree));
}

TEST(TreeEdit, DeleteMovesTheCursorAsDelDoes) {
  struct Case {
    int index;  // which child of the root to delete, counted from 0
    const char* expected;
  } cases[] = {
      {0, "R(b*(b1),c)"},           // first: the former second, now first child
      {1, "R(a(a1,a2(x)),c*)"},     // middle: the one after it
      {2, "R(a(a1,a2(x)),b*(b1))"}, // last: the one before it
  };
  for (const Case& c : cases) {
    Ravelink tree;
    buildShape(tree, "R(a(a1,a2(x)),b(b1),c)");
    tree.browseFirstChild();
    for (int i = 0; i < c.index; ++i) tree.browseNext();
    tree.deleteTreeNode();
    EXPECT_EQ(c.expected, treeShape(tree)) << "deleting child " << c.index;
  }
  Ravelink only;
  buildShape(only, "R(a(only(x,y)))");
  only.browseFirstChild();
  only.browseFirstChild();
  only.deleteTreeNode();
  EXPECT_EQ("R(a*)", treeShape(only));
}

TEST(TreeEdit, HrefPrefixAndSuffixApplyOnlyToNonEmptyHrefsOfAdds) {
  Ravelink tree;
  tree.settings().hrefPrefix.set("http://x/");
  tree.settings().hrefSuffix.set(".html");
  tree.addAsChild("a", "page");
  tree.addAsChild("b", "");
  tree.browseFirstChild();
  EXPECT_STREQ("http://x/page.html", tree.getCurrent()->getHref());
  tree.setCurrentHref("raw");  // sethref stores as typed
  EXPECT_STREQ("raw", tree.getCurrent()->getHref());
  tree.browseNext();
  EXPECT_STREQ("", tree.getCurrent()->getHref());
  tree.settings().hrefPrefix.set(std::string(127, 'p').c_str());
  tree.addAsNext("long", "h");
  EXPECT_EQ(std::string(127, 'p'), tree.getCurrent()->getHref());
}

TEST(TreeEdit, ClearTreeResetsSettingsButKeepsTheRootNode) {
  Ravelink tree;
  buildShape(tree, "R(a(b),c)");
  tree.setCurrentHref("root.html");
  tree.settings().hrefPrefix.set("p");
  tree.settings().hrefSuffix.set("s");
  tree.settings().baseUrl.set("u");
  tree.settings().styleTable.set("css");
  tree.settings().usingPara = false;
  tree.browseFirstChild();
  tree.pushActiveNode();
  tree.copyCurrent();
  const RavelinkChild* root = tree.getRoot();
  tree.clearTree();
  EXPECT_EQ("*", treeShape(tree));
  EXPECT_EQ(root, tree.getRoot());
  EXPECT_STREQ("", tree.getCurrent()->getHref());
  EXPECT_STREQ("", tree.settings().hrefPrefix.get());
  EXPECT_STREQ("", tree.settings().hrefSuffix.get());
  EXPECT_STREQ("", tree.settings().baseUrl.get());
  EXPECT_STREQ("", tree.settings().baseTarget.get());  // not "_blank"
  EXPECT_STREQ("", tree.settings().styleTable.get());
  EXPECT_TRUE(tree.settings().usingPara);
  EXPECT_EQ(0, tree.references().activeCount);
  EXPECT_TRUE(tree.references().clipboard.empty());
}

TEST(TreeEdit, ContainsNodeNeverMatchesADeletedNode) {
  Ravelink tree;
  buildShape(tree, "R(a(a1),b)");
  tree.browseFirstChild();
  NodeRef a(tree.getCurrent());
  tree.browseFirstChild();
  NodeRef a1(tree.getCurrent());
  EXPECT_TRUE(containsNode(tree, a1));
  EXPECT_FALSE(containsNode(tree, a));  // only the current node's subtree
  EXPECT_FALSE(containsNode(tree, NodeRef()));
  tree.gotoRoot();
  EXPECT_TRUE(containsNode(tree, a));
  tree.browseFirstChild();
  tree.deleteTreeNode();
  tree.gotoRoot();
  EXPECT_FALSE(containsNode(tree, a));
  EXPECT_FALSE(containsNode(tree, a1));
  // New nodes may reuse the freed addresses; the stale references stay stale.
  for (int i = 0; i < 100; ++i) tree.addAsChild("new", "");
  EXPECT_FALSE(containsNode(tree, a));
  EXPECT_FALSE(containsNode(tree, a1));
}

TEST(TreeEdit, HugeChainsAreBuiltWalkedAndDestroyedWithoutRecursion) {
  constexpr int kCount = 1000000;
  {
    Ravelink deep;
    for (int i = 0; i < kCount; ++i) {
      deep.addAsChild("d", "");
      deep.browseFirstChild();
    }
    deep.gotoRoot();
    EXPECT_FALSE(containsNode(deep, NodeRef()));
    deep.browseFirstChild();
    deep.deleteTreeNode();  // a million levels below the deleted node
    EXPECT_EQ("*", treeShape(deep));
  }
  Ravelink wide;
  wide.addAsChild("first", "");
  wide.browseFirstChild();
  for (int i = 0; i < kCount; ++i) wide.addAsNext("s", "");
  wide.gotoRoot();
  wide.clearTree();
  EXPECT_EQ("*", treeShape(wide));
  // The destructor of a context with a long chain must not recurse either.
  Ravelink* doomed = new Ravelink;
  doomed->addAsChild("first", "");
  doomed->browseFirstChild();
  for (int i = 0; i < kCount; ++i) {
    doomed->addAsChild("d", "");
    doomed->browseFirstChild();
    doomed->addAsNext("s", "");
  }
  delete doomed;
}
