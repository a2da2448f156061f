// The active-node stack: the user's push and pop.
#include "tree/ravelink.h"

void Ravelink::pushActiveNode() {
  if (refs_.activeCount == kStackSize) throw myException(Fault::kPushStackFull);
  refs_.activeStack[refs_.activeCount++] = NodeRef(current_);
}

void Ravelink::popActiveNode() {
  if (refs_.activeCount == 0) throw myException(Fault::kPopStackEmpty);
  NodeRef popped = refs_.activeStack[--refs_.activeCount];
  RavelinkChild* found = findInTree(popped);
  current_ = found != nullptr ? found : root_;
}
