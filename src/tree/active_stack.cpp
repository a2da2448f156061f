// The active-node stack: the user's push and pop, and CursorSave, which the
// whole-tree walks use to keep the user's place.
#include "tree/ravelink.h"

void Ravelink::pushActiveNode() {
  if (activeCount == kStackSize) throw myException(Fault::kPushStackFull);
  activeStack[activeCount++] = NodeRef(current);
}

void Ravelink::popActiveNode() {
  if (activeCount == 0) throw myException(Fault::kPopStackEmpty);
  NodeRef popped = activeStack[--activeCount];
  RavelinkChild* found = findInTree(popped);
  current = found != nullptr ? found : root;
}

bool Ravelink::checkActiveNode() const {
  if (activeCount == 0) throw myException(Fault::kCheckStackEmpty);
  return activeStack[activeCount - 1].names(current);
}

CursorSave::CursorSave(Ravelink& tree) : tree_(tree) { tree_.pushActiveNode(); }

CursorSave::CursorSave(Ravelink& tree, Fault replacement) : tree_(tree) {
  try {
    tree_.pushActiveNode();
  } catch (const myException&) {
    throw myException(replacement);
  }
}

// Pops as popActiveNode does, without its throw for an empty stack: a
// destructor must not throw, and an empty stack here is left alone.
CursorSave::~CursorSave() {
  if (tree_.activeCount == 0) return;
  RavelinkChild* found = tree_.findInTree(tree_.activeStack[--tree_.activeCount]);
  tree_.current = found != nullptr ? found : tree_.root;
}
