#include "tree/ravelink.h"

#include "tree/tree_walk.h"

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

namespace {

// The node of the subtree of `top` (top included) that `ref` names, or
// nullptr. Never leaves the subtree and never follows `ref`.
const RavelinkChild* findBelow(const RavelinkChild* top, NodeRef ref) {
  for (TreeWalk walk(top); walk.next();) {
    if (walk.entering() && ref.names(walk.node())) return walk.node();
  }
  return nullptr;
}

}  // namespace

bool Ravelink::containsNode(NodeRef node) const {
  return !node.empty() && findBelow(current, node) != nullptr;
}

RavelinkChild* Ravelink::findInTree(NodeRef ref) const {
  // The tree's nodes are the context's own; only the walk sees them as const.
  return ref.empty() ? nullptr : const_cast<RavelinkChild*>(findBelow(root, ref));
}
