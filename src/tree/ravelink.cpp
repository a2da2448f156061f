#include "tree/ravelink.h"


Ravelink::Ravelink() : root(new RavelinkChild), current(root) {}

namespace {
bool nodesLeftToProcessExit = false;
}  // namespace

Ravelink::~Ravelink() {
#if RAVELINK_NODE_POOL
  if (nodesLeftToProcessExit) return;
#endif
  delete root;
}

void Ravelink::leaveNodesToProcessExit() { nodesLeftToProcessExit = true; }

bool Ravelink::containsNode(NodeRef node) const {
  const RavelinkChild* live = node.live();
  return live != nullptr && (live == current || isBelow(live, current));
}

RavelinkChild* Ravelink::findInTree(NodeRef ref) const { return ref.live(); }

bool Ravelink::isBelow(const RavelinkChild* node, const RavelinkChild* top) {
  for (const RavelinkChild* up = node->getParent(); up != nullptr; up = up->getParent()) {
    if (up == top) return true;
  }
  return false;
}
