#include <gtest/gtest.h>

#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"

TEST(WorkPlaces, GotoReturnsToThePointAndFollowsTheUser) {
  Ravelink tree;
  buildShape(tree, "R(a(a1,a2,a3),b(b1))");
  go(tree, "cc");
  tree.setWorkPlace(1);
  go(tree, "cnc");
  tree.treeGotoWorkPlc(1);
  EXPECT_EQ("R(a(a1*,a2,a3),b(b1))", treeShape(tree));

  // Leaving the children of place 1 moves point 1 to where the user was.
  tree.browseNext();
  tree.browseNext();
  tree.treeGotoWorkPlc(1);
  EXPECT_EQ("R(a(a1,a2,a3*),b(b1))", treeShape(tree));
  go(tree, "");
  tree.treeGotoWorkPlc(1);
  EXPECT_EQ("R(a(a1,a2,a3*),b(b1))", treeShape(tree));

  // The follow-up holds even when the goto itself fails.
  go(tree, "ccn");
  EXPECT_ERROR(tree.treeGotoWorkPlc(2), "treeGotoWorkPlc", "Working place not found");
  EXPECT_EQ("R(a(a1,a2*,a3),b(b1))", treeShape(tree));
  go(tree, "cn");
  tree.treeGotoWorkPlc(1);
  EXPECT_EQ("R(a(a1,a2*,a3),b(b1))", treeShape(tree));
}

TEST(WorkPlaces, MissingPlacesAndPointsAreEmptied) {
  Ravelink tree;
  buildShape(tree, "R(a(a1,a2),b(b1))");
  EXPECT_ERROR(tree.treeGotoWorkPlc(1), "treeGotoWorkPlc", "Working place not found");

  // The point deleted: reported from outside the place, and emptied, so a
  // goto from a child of the place then lands on that child.
  go(tree, "cc");
  tree.setWorkPlace(1);
  tree.deleteTreeNode();
  go(tree, "cnc");
  EXPECT_ERROR(tree.treeGotoWorkPlc(1), "treeGotoWorkPlc", "Working point not found");
  EXPECT_EQ("R(a(a2),b(b1*))", treeShape(tree));
  go(tree, "");
  EXPECT_ERROR(tree.treeGotoWorkPlc(1), "treeGotoWorkPlc", "Working point not found");
  go(tree, "cc");
  tree.treeGotoWorkPlc(1);
  EXPECT_EQ("R(a(a2*),b(b1))", treeShape(tree));

  // A point moved to another parent is not found under its old place.
  tree.copyCurrent();
  go(tree, "cn");
  tree.pasteAsChild();
  go(tree, "cc");
  tree.deleteTreeNode();  // a now has no children
  EXPECT_ERROR(tree.treeGotoWorkPlc(1), "treeGotoWorkPlc", "Working point not found");

  // The place deleted: place not found, and it stays so.
  go(tree, "c");
  tree.deleteTreeNode();
  EXPECT_ERROR(tree.treeGotoWorkPlc(1), "treeGotoWorkPlc", "Working place not found");
  EXPECT_EQ("R(b*(b1,a2))", treeShape(tree));
}

TEST(WorkPlaces, PlaceSetAtTheRoot) {
  Ravelink tree;
  buildShape(tree, "R(a(a1))");
  tree.setWorkPlace(2);
  go(tree, "cc");
  tree.treeGotoWorkPlc(2);
  EXPECT_EQ("R*(a(a1))", treeShape(tree));
  // Coming from a child of the root, the follow-up gives the place a point.
  go(tree, "c");
  tree.treeGotoWorkPlc(2);
  EXPECT_EQ("R(a*(a1))", treeShape(tree));

  // Clearing keeps the root as place; its child point is gone.
  tree.setWorkPlace(1);
  tree.clearTree();
  EXPECT_ERROR(tree.treeGotoWorkPlc(1), "treeGotoWorkPlc", "Working point not found");
}

TEST(Move12, MovesTheNodeWithItsSubtree) {
  Ravelink tree;
  buildShape(tree, "R(a(a1(x),a2),b(b1,b2))");
  tree.settings().hrefPrefix.set("pre/");
  go(tree, "cc");
  tree.setCurrentHref("kept");
  tree.setWorkPlace(1);
  go(tree, "cnc");
  tree.setWorkPlace(2);
  tree.move12();
  EXPECT_EQ("R(a(a2*),b(b1,a1(x),b2))", treeShape(tree));
  go(tree, "");
  tree.treeGotoWorkPlc(2);  // point 2 names the moved node
  EXPECT_STREQ("a1", tree.getCurrent()->getText());
  EXPECT_STREQ("kept", tree.getCurrent()->getHref());
  go(tree, "");
  EXPECT_ERROR(tree.treeGotoWorkPlc(1), "treeGotoWorkPlc", "Working point not found");
}

TEST(Move12, SamePlaceStillMoves) {
  Ravelink tree;
  buildShape(tree, "R(p(a(x),b,c))");
  go(tree, "cc");
  tree.setWorkPlace(1);
  tree.browseNext();
  tree.setWorkPlace(2);
  go(tree, "");  // from a child of p, the follow-up would change point 1
  tree.move12();
  EXPECT_EQ("R(p(b*,a(x),c))", treeShape(tree));
  go(tree, "");
  tree.treeGotoWorkPlc(2);
  EXPECT_EQ("R(p(b,a*(x),c))", treeShape(tree));

  // Both points on one node: the node ends where it was.
  Ravelink same;
  buildShape(same, "R(p(a(x),b))");
  go(same, "cc");
  same.setWorkPlace(1);
  same.setWorkPlace(2);
  same.move12();
  EXPECT_EQ("R(p(a*(x),b))", treeShape(same));  // the copy, after the original
  same.treeGotoWorkPlc(2);
  EXPECT_EQ("R(p(a*(x),b))", treeShape(same));
}

TEST(Move12, AFailingStepKeepsTheStepsBeforeIt) {
  {  // step 1: place 1 never set; nothing happens
    Ravelink tree;
    buildShape(tree, "R(a,b)");
    go(tree, "cn");
    tree.setWorkPlace(2);
    EXPECT_ERROR(tree.move12(), "treeGotoWorkPlc", "Working place not found");
    EXPECT_EQ("R(a,b*)", treeShape(tree));
    EXPECT_TRUE(tree.references().clipboard.empty());
  }
  {  // step 3: place 2 gone; point 1 current and copied, nothing pasted
    Ravelink tree;
    buildShape(tree, "R(a,b(b1))");
    go(tree, "cnc");
    tree.setWorkPlace(2);
    go(tree, "c");
    tree.setWorkPlace(1);
    go(tree, "cn");
    tree.deleteTreeNode();
    EXPECT_ERROR(tree.move12(), "treeGotoWorkPlc", "Working place not found");
    EXPECT_EQ("R(a*)", treeShape(tree));
    go(tree, "");
    tree.pasteAsChild();
    EXPECT_EQ("R*(a,a)", treeShape(tree));
  }
  {  // step 4: point 2 inside the node to move; nothing pasted or deleted
    Ravelink tree;
    buildShape(tree, "R(a(a1),b)");
    go(tree, "cc");
    tree.setWorkPlace(2);
    go(tree, "c");
    tree.setWorkPlace(1);
    go(tree, "");
    EXPECT_ERROR(tree.move12(), "treePaste", "cannot paste parent to child");
    EXPECT_EQ("R(a(a1*),b)", treeShape(tree));
  }
  {  // step 4: a full stack
    Ravelink tree;
    buildShape(tree, "R(a,b)");
    go(tree, "c");
    tree.setWorkPlace(1);
    tree.browseNext();
    tree.setWorkPlace(2);
    for (int i = 0; i < Ravelink::kStackSize; ++i)
      tree.pushActiveNode();
    EXPECT_ERROR(tree.move12(), "treePaste", "stack is full");
    EXPECT_EQ("R(a,b*)", treeShape(tree));
  }
}
