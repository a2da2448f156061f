#include "tree/edit_history.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tree_shape.h"
#include "tree/tree_check.h"

namespace {

// Runs `change` as one step named `word`.
template <typename Change>
void step(EditHistory& history, const char* word, Change change) {
  history.beginStep(word);
  try {
    change();
  } catch (const myException&) {
    // A failing command is a step as far as it went.
  }
  history.endStep();
}

}  // namespace

// The nodes a step removes come back as the same nodes: the references
// that lost them (the stack, the clipboard, the working places) name them
// again after the undo and lose them again after the redo.
TEST(EditHistory, RemovedNodesComeBackAsTheSameNodes) {
  Ravelink tree;
  EditHistory history(tree);
  buildShape(tree, "R(a(a1,a2),b)");
  go(tree, "c");
  tree.setWorkPlace(1);
  tree.copyCurrent();
  tree.pushActiveNode();
  const NodeRef a(tree.getCurrent());
  step(history, "del", [&] { tree.deleteTreeNode(); });
  EXPECT_EQ("R(b*)", treeShape(tree));
  EXPECT_FALSE(containsNode(tree, a)) << "a deleted node is named by no reference";
  EXPECT_STREQ("del", history.undo());
  EXPECT_EQ("R(a*(a1,a2),b)", treeShape(tree));
  EXPECT_TRUE(a.names(tree.getCurrent()));
  tree.treeGotoWorkPlc(1);  // would throw if the point were lost
  tree.gotoRoot();
  tree.pasteAsChild();
  EXPECT_EQ("R*(a(a1,a2),b,a(a1,a2))", treeShape(tree));
  EXPECT_STREQ("del", history.redo());
  EXPECT_EQ("R(b*,a(a1,a2))", treeShape(tree)) << "redo deletes the same node again";
  EXPECT_EQ(nullptr, a.live());
  EXPECT_EQ("", checkTree(tree));
}

// A step that changed nothing is forgotten and keeps what can be redone; a
// step that changed something clears it.
TEST(EditHistory, OnlyChangesAreStepsAndANewStepEndsTheRedos) {
  Ravelink tree;
  EditHistory history(tree);
  step(history, "aac", [&] { tree.addAsChild("x", ""); });
  step(history, "settext", [&] { tree.setCurrentText(""); });       // the same text
  step(history, "aann", [&] { tree.addAsNext("y", ""); });         // fails at the root
  step(history, "setbt", [&] { tree.settings().baseTarget.set("_blank"); });  // unchanged
  EXPECT_EQ(1u, history.stepCount());
  EXPECT_STREQ("aac", history.undo());
  EXPECT_EQ(nullptr, history.undo());
  step(history, "list", [] {});
  EXPECT_EQ(1u, history.redoCount());
  step(history, "setbu", [&] { tree.settings().baseUrl.set("http://b/"); });
  EXPECT_EQ(0u, history.redoCount());
  EXPECT_EQ(nullptr, history.redo());
  EXPECT_STREQ("setbu", history.undo());
  EXPECT_STREQ("", tree.settings().baseUrl.get());
}

// Whether the tree differs from the last save or load follows the history
// both ways; a load marks the tree it leaves, and an automatic copy's load
// marks nothing as saved.
TEST(EditHistory, ChangedFollowsUndoAndRedo) {
  Ravelink tree;
  EditHistory history(tree);
  EXPECT_FALSE(history.changed());
  step(history, "aac", [&] { tree.addAsChild("x", ""); });
  EXPECT_TRUE(history.changed());
  history.markSaved();
  EXPECT_FALSE(history.changed());
  step(history, "aac", [&] { tree.addAsChild("y", ""); });
  EXPECT_TRUE(history.changed());
  history.undo();
  EXPECT_FALSE(history.changed());
  history.undo();
  EXPECT_TRUE(history.changed());
  step(history, "load", [&] {
    tree.clearTree();
    tree.addAsChild("loaded", "");
    history.markSaved();
  });
  EXPECT_FALSE(history.changed());
  history.markUnsaved();
  EXPECT_TRUE(history.changed());
}

// The history keeps as many of the newest steps as fit in its limit, and
// always the newest one: a step bigger than the limit is kept alone, and
// dropped before the next step runs, so that at most one replaced tree is
// held beside the tree.
TEST(EditHistory, TheLimitDropsTheOldestStepsFirst) {
  Ravelink tree;
  EditHistory history(tree, 4096);
  for (int i = 0; i < 100; ++i) {
    step(history, "aac", [&] { tree.addAsChild("a node", "http://example.com/"); });
  }
  EXPECT_LT(history.stepCount(), 100u);
  EXPECT_GT(history.stepCount(), 5u);
  EXPECT_LE(history.bytes(), 4096u + 512u);
  const std::size_t kept = history.stepCount();
  for (std::size_t i = 0; i < kept; ++i) history.undo();
  EXPECT_EQ(nullptr, history.undo());
  std::size_t children = 0;
  for (const RavelinkChild* c = tree.getRoot()->getFirstChild(); c != nullptr; c = c->getNextSibling())
    ++children;
  EXPECT_EQ(100u - kept, children) << "the adds of the dropped steps stay";
  for (std::size_t i = 0; i < kept; ++i) history.redo();

  step(history, "zap", [&] { tree.clearTree(); });
  EXPECT_GT(history.bytes(), 4096u) << "the newest step is kept whatever its size";
  step(history, "aac", [&] { tree.addAsChild("after", ""); });
  EXPECT_EQ(1u, history.stepCount());
  EXPECT_LT(history.bytes(), 4096u);
  EXPECT_STREQ("aac", history.undo());
  EXPECT_EQ(nullptr, history.undo()) << "the zap went before the add ran";
}

// When only steps to redo are left and the history is over its limit, the
// one undone first goes first: the others can still be redone in order.
TEST(EditHistory, TheLimitDropsTheFurthestRedoFirst) {
  Ravelink tree;
  EditHistory history(tree, 600);
  step(history, "aac", [&] { tree.addAsChild("a", ""); });
  step(history, "aac", [&] { tree.addAsChild("b", ""); });
  step(history, "zap", [&] { tree.clearTree(); });  // with "a" and "b": over the limit
  history.undo();
  history.undo();
  history.undo();
  EXPECT_EQ("*", treeShape(tree));
  step(history, "list", [] {});  // a command that may change the tree drops what is too much
  EXPECT_LT(history.redoCount(), 3u);
  ASSERT_GE(history.redoCount(), 1u);
  EXPECT_STREQ("aac", history.redo());
  EXPECT_EQ("*(a)", treeShape(tree));
  while (history.redo() != nullptr) {
  }
  EXPECT_EQ("", checkTree(tree));
}

// A clear parks the whole tree it replaced and an undo gives it back, with
// the root's text and href, the settings, the references and the cursor.
TEST(EditHistory, AClearIsUndoneWhole) {
  Ravelink tree;
  EditHistory history(tree);
  buildShape(tree, "Links(a(a1),b)");
  tree.setCurrentHref("http://root/");
  tree.settings().hrefPrefix.set("http://p/");
  tree.settings().usingPara = false;
  go(tree, "cc");
  tree.copyCurrent();
  tree.pushActiveNode();
  step(history, "load", [&] {
    tree.clearTree();
    tree.setCurrentText("New");
    tree.addAsChild("n", "");
    tree.browseFirstChild();
  });
  EXPECT_EQ("New(n*)", treeShape(tree));
  EXPECT_EQ(0, tree.references().activeCount);
  EXPECT_STREQ("load", history.undo());
  EXPECT_EQ("Links(a(a1*),b)", treeShape(tree));
  EXPECT_STREQ("http://root/", tree.getRoot()->getHref());
  EXPECT_STREQ("http://p/", tree.settings().hrefPrefix.get());
  EXPECT_FALSE(tree.settings().usingPara);
  EXPECT_EQ(1, tree.references().activeCount);
  EXPECT_TRUE(checkActiveNode(tree));
  EXPECT_STREQ("load", history.redo());
  EXPECT_EQ("New(n*)", treeShape(tree));
  EXPECT_STREQ("", tree.getRoot()->getHref());
  EXPECT_TRUE(tree.settings().usingPara);
  EXPECT_EQ("", checkTree(tree));
}
