// The pre-order walker and the link primitives every edit goes through.
#include "tree/tree_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"
#include "tree/tree_check.h"

namespace {

// The walk as "+text@depth" on entering and "-text" on leaving.
std::string events(const RavelinkChild* top, const char* skipBelow = "") {
  std::string out;
  for (TreeWalk walk(top); walk.next();) {
    const std::string text = walk.node()->getText();
    if (walk.entering()) {
      out += "+" + text + "@" + std::to_string(walk.depth()) + " ";
      if (text == skipBelow) walk.skipChildren();
    } else {
      out += "-" + text + " ";
    }
  }
  return out;
}

RavelinkChild* detached(const char* text) {
  auto* node = RavelinkChild::create();
  node->setText(text);
  return node;
}

}  // namespace

TEST(TreeWalk, EntersAndLeavesEveryNodeOfTheSubtreeOnly) {
  Ravelink tree;
  buildShape(tree, "R(a(a1,a2(x)),b)");
  EXPECT_EQ("+R@0 +a@1 +a1@2 -a1 +a2@2 +x@3 -x -a2 -a +b@1 -b -R ", events(tree.getRoot()));
  // A subtree whose top has siblings: the walk never leaves it.
  const RavelinkChild* a = tree.getRoot()->getFirstChild();
  EXPECT_EQ("+a@0 +a1@1 -a1 +a2@1 +x@2 -x -a2 -a ", events(a));
  EXPECT_EQ("+R@0 +a@1 +a1@2 -a1 +a2@2 -a2 -a +b@1 -b -R ", events(tree.getRoot(), "a2"));
  Ravelink single;
  single.setCurrentText("only");
  EXPECT_EQ("+only@0 -only ", events(single.getRoot()));
  // The count del reports: the subtree only, its top included.
  EXPECT_EQ(6u, subtreeSize(tree.getRoot()));
  EXPECT_EQ(4u, subtreeSize(a));
  EXPECT_EQ(1u, subtreeSize(a->getFirstChild()));
  EXPECT_EQ(1u, subtreeSize(single.getRoot()));
}

TEST(TreeWalk, DeepAndWideTreesNeedNoCallStack) {
  Ravelink tree;
  constexpr int kDepth = 200000;
  for (int i = 0; i < kDepth; ++i) {
    tree.addAsChild("d", "");
    tree.browseFirstChild();
  }
  tree.gotoRoot();
  for (int i = 0; i < kDepth; ++i) tree.addAsChild("w", "");
  std::int64_t entered = 0;
  std::int64_t deepest = 0;
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (!walk.entering()) continue;
    ++entered;
    deepest = std::max(deepest, walk.depth());
  }
  EXPECT_EQ(2 * kDepth + 1, entered);
  EXPECT_EQ(kDepth, deepest);
}

// Each primitive at the first, a middle and the last place of a family,
// and on an only child: links, the kept last child and the order checked.
TEST(LinkPrimitives, KeepEveryLinkAndTheLastChild) {
  Ravelink tree;
  buildShape(tree, "R(a,b,c)");
  RavelinkChild* root = const_cast<RavelinkChild*>(tree.getRoot());
  RavelinkChild* a = root->getFirstChild();
  RavelinkChild* c = root->getLastChild();
  ASSERT_STREQ("c", c->getText());

  a->linkBefore(detached("0"));
  c->linkAfter(detached("z"));
  a->linkAfter(detached("a+"));
  c->linkBefore(detached("c-"));
  root->linkAsLastChild(detached("end"));
  EXPECT_EQ("R*(0,a,a+,b,c-,c,z,end)", treeShape(tree));
  EXPECT_STREQ("end", root->getLastChild()->getText());

  RavelinkChild* first = root->getFirstChild();
  first->unlink();  // the first
  RavelinkChild* last = root->getLastChild();
  last->unlink();  // the last
  c->unlink();     // one in the middle
  EXPECT_EQ("R*(a,a+,b,c-,z)", treeShape(tree));
  EXPECT_STREQ("z", root->getLastChild()->getText());
  EXPECT_EQ(nullptr, first->getParent());
  EXPECT_EQ(nullptr, last->getPrevSibling());
  for (RavelinkChild* gone : {first, last, c}) RavelinkChild::destroyChain(gone);

  // A whole detached subtree moves in at once; an only child leaves an
  // empty family behind.
  RavelinkChild* sub = detached("s");
  sub->linkAsLastChild(detached("s1"));
  sub->linkAsLastChild(detached("s2"));
  root->getFirstChild()->linkAsLastChild(sub);
  EXPECT_EQ("R*(a(s(s1,s2)),a+,b,c-,z)", treeShape(tree));
  RavelinkChild* s2 = sub->getLastChild();
  s2->unlink();
  RavelinkChild::destroyChain(s2);
  EXPECT_STREQ("s1", sub->getLastChild()->getText());
  RavelinkChild* s1 = sub->getFirstChild();
  s1->unlink();
  RavelinkChild::destroyChain(s1);
  EXPECT_EQ(nullptr, sub->getLastChild());
  EXPECT_EQ("R*(a(s),a+,b,c-,z)", treeShape(tree));
}

// Stepping from node to node: forward through every node of the tree from
// any start, backward as its exact inverse, with folded nodes passed over.
TEST(PreorderSteps, NextAndPreviousAreInversesAndPassFoldedNodes) {
  Ravelink tree;
  buildShape(tree, "R(a(a1,a2(x)),b,c(c1))");
  auto walkFrom = [](const RavelinkChild* node, const std::string& folded) {
    auto shows = [&folded](const RavelinkChild* n) {
      std::string names = " ";
      names.append(folded).append(" ");
      std::string name = " ";
      name.append(n->getText()).append(" ");
      return names.find(name) == std::string::npos;
    };
    std::string forward;
    const RavelinkChild* last = node;
    for (; node != nullptr; node = nextInPreorder(node, shows(node))) {
      forward += std::string(node->getText()) + " ";
      last = node;
    }
    std::string backward;
    for (node = last; node != nullptr; node = previousInPreorder(node, shows)) {
      backward = std::string(node->getText()) + " " + backward;
    }
    return forward + "| " + backward;
  };
  EXPECT_EQ("R a a1 a2 x b c c1 | R a a1 a2 x b c c1 ", walkFrom(tree.getRoot(), ""));
  // From a node in the middle: on to the end; back from the end to the root.
  go(tree, "ccn");
  EXPECT_EQ("a2 x b c c1 | R a a1 a2 x b c c1 ", walkFrom(tree.getCurrent(), ""));
  // a2 and c folded: x and c1 are never reached either way.
  EXPECT_EQ("R a a1 a2 b c | R a a1 a2 b c ", walkFrom(tree.getRoot(), "a2 c"));
  // The root folded: nothing follows it.
  EXPECT_EQ("R | R ", walkFrom(tree.getRoot(), "R"));
}
