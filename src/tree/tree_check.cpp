#include "tree/tree_check.h"

#include "tree/tree_walk.h"

namespace {

std::string checkChildren(const RavelinkChild* node) {
  const RavelinkChild* child = node->getFirstChild();
  if (child != nullptr && child->getPrevSibling() != nullptr) {
    return std::string("first child of \"") + node->getText() + "\" has a previous sibling";
  }
  const RavelinkChild* last = nullptr;
  for (const RavelinkChild* c = child; c != nullptr; c = c->getNextSibling()) {
    if (c->getParent() != node) {
      return std::string("child \"") + c->getText() + "\" names another parent";
    }
    const RavelinkChild* next = c->getNextSibling();
    if (next != nullptr && next->getPrevSibling() != c) {
      return std::string("next and previous links disagree after \"") + c->getText() + "\"";
    }
    last = c;
  }
  if (node->getLastChild() != last) {
    return std::string("the last child of \"") + node->getText() + "\" is not the one kept";
  }
  return "";
}

}  // namespace

std::string checkTree(const Ravelink& tree) {
  const RavelinkChild* root = tree.getRoot();
  if (root->getParent() != nullptr || root->getNextSibling() != nullptr ||
      root->getPrevSibling() != nullptr) {
    return "the root has a parent or siblings";
  }
  bool currentFound = false;
  for (TreeWalk walk(root); walk.next();) {
    if (!walk.entering()) continue;
    if (walk.node() == tree.getCurrent()) currentFound = true;
    std::string problem = checkChildren(walk.node());
    if (!problem.empty()) return problem;
  }
  return currentFound ? "" : "the current node is not in the tree";
}

bool containsNode(const Ravelink& tree, NodeRef node) {
  const RavelinkChild* live = node.live();
  for (const RavelinkChild* up = live; up != nullptr; up = up->getParent()) {
    if (up == tree.getCurrent()) return true;
  }
  return false;
}

bool checkActiveNode(const Ravelink& tree) {
  const NodeReferences& refs = tree.references();
  if (refs.activeCount == 0) throw myException(Fault::kCheckStackEmpty);
  return refs.activeStack[refs.activeCount - 1].names(tree.getCurrent());
}
