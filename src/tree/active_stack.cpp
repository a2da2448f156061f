// The active-node stack: the user's push and pop.
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
