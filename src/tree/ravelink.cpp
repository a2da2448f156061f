#include "tree/ravelink.h"

Ravelink::Ravelink() : root_(RavelinkChild::create()), current_(root_) {}

namespace {
bool nodesLeftToProcessExit = false;
}  // namespace

Ravelink::~Ravelink() {
#if RAVELINK_NODE_POOL
  if (nodesLeftToProcessExit) return;
#endif
  delete root_;
}

void Ravelink::leaveNodesToProcessExit() { nodesLeftToProcessExit = true; }

RavelinkChild* Ravelink::findInTree(NodeRef ref) const { return ref.live(); }

bool Ravelink::isBelow(const RavelinkChild* node, const RavelinkChild* top) {
  for (const RavelinkChild* up = node->getParent(); up != nullptr; up = up->getParent()) {
    if (up == top) return true;
  }
  return false;
}
