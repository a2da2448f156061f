#ifndef RAVELINK_TREEFILES_PREORDER_WALK_H_
#define RAVELINK_TREEFILES_PREORDER_WALK_H_

#include "tree/ravelink.h"

/// One move of the cursor in a pre-order walk.
enum class WalkStep {
  kDown,  // to the first child of the node before
  kNext,  // to the next sibling of the node before
  kUp,    // back to the parent
};

/// Walks the nodes below the root in pre-order by moving the cursor, from
/// the root and back to it: a node before its children, a whole subtree
/// before the next sibling. Calls visit(step) after every move, with the
/// cursor on the node reached; the last call is the kUp that reaches the
/// root. A tree of the root alone gets no call. Without recursion and
/// linear in the size of the tree; the caller keeps the user's place
/// (CursorSave).
template <typename Visit>
void walkBelowRoot(Ravelink& tree, Visit visit) {
  tree.gotoRoot();
  if (!tree.hasChild()) return;
  tree.browseFirstChild();
  visit(WalkStep::kDown);
  for (;;) {
    if (tree.hasChild()) {
      tree.browseFirstChild();
      visit(WalkStep::kDown);
      continue;
    }
    while (!tree.hasNext()) {
      tree.browseParent();
      visit(WalkStep::kUp);
      if (tree.isRoot()) return;
    }
    tree.browseNext();
    visit(WalkStep::kNext);
  }
}

#endif  // RAVELINK_TREEFILES_PREORDER_WALK_H_
