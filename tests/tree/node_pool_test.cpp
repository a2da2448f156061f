// Node storage: in builds without AddressSanitizer nodes come from a pool
// that hands a deleted node's place to the next new node.
#include <gtest/gtest.h>

#include <set>

#include "support/tree_shape.h"
#include "tree/ravelink.h"
#include "tree/tree_check.h"

// A place taken over from a deleted node must hold a clean node, and a
// reference kept to the deleted node must not come to name the new one.
TEST(NodePool, ReusedPlacesGiveCleanNodesThatOldReferencesDoNotName) {
  Ravelink tree;
  buildShape(tree, "R(a(a1,a2(x)),b)");
  tree.browseFirstChild();
  std::set<const RavelinkChild*> oldPlaces;
  NodeRef a(tree.getCurrent());
  oldPlaces.insert(tree.getCurrent());
  tree.browseFirstChild();
  NodeRef a1(tree.getCurrent());
  oldPlaces.insert(tree.getCurrent());
  tree.gotoRoot();
  tree.browseFirstChild();
  tree.deleteTreeNode();  // a, a1, a2 and x
  EXPECT_EQ("R(b*)", treeShape(tree));

  int reused = 0;
  for (int i = 0; i < 8; ++i) {  // a chain below b
    tree.addAsChild("", "");
    tree.browseFirstChild();
    reused += oldPlaces.count(tree.getCurrent());
    EXPECT_STREQ("", tree.getCurrent()->getText());
    EXPECT_STREQ("", tree.getCurrent()->getHref());
    EXPECT_FALSE((tree.getCurrent()->getFirstChild() != nullptr));
    EXPECT_FALSE((tree.getCurrent()->getNextSibling() != nullptr));
    EXPECT_FALSE(a.names(tree.getCurrent()));
    EXPECT_FALSE(a1.names(tree.getCurrent()));
  }
  tree.gotoRoot();
  EXPECT_FALSE(containsNode(tree, a));
  EXPECT_FALSE(containsNode(tree, a1));
#if RAVELINK_NODE_POOL
  EXPECT_EQ(2, reused) << "the pool hands out the places of deleted nodes first";
#endif
}

// Blocks of the pool hold thousands of nodes: a tree that spans many of
// them, torn down and rebuilt in a different shape, keeps every link right.
TEST(NodePool, TreesSpanningManyBlocksAreRebuiltCleanly) {
  Ravelink tree;
  for (int round = 0; round < 3; ++round) {
    tree.clearTree();
    for (int i = 0; i < 3000; ++i) {
      tree.addAsChild("top", "t.html");
      if (round == 1) continue;
      tree.browseFirstChild();
      while ((tree.getCurrent()->getNextSibling() != nullptr)) tree.browseNext();
      for (int k = 0; k < 3; ++k) tree.addAsChild("leaf", "");
      tree.gotoRoot();
    }
    const std::string shape = treeShape(tree);
    EXPECT_EQ(std::string::npos, shape.find("BROKEN")) << shape.substr(0, 200);
  }
}
