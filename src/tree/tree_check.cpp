#include "tree/tree_check.h"

namespace {

std::string checkChildren(const RavelinkChild* node) {
  const RavelinkChild* child = node->getFirstChild();
  if (child != nullptr && child->getPrevSibling() != nullptr) {
    return std::string("first child of \"") + node->getText() + "\" has a previous sibling";
  }
  for (const RavelinkChild* c = child; c != nullptr; c = c->getNextSibling()) {
    if (c->getParent() != node) {
      return std::string("child \"") + c->getText() + "\" names another parent";
    }
    const RavelinkChild* next = c->getNextSibling();
    if (next != nullptr && next->getPrevSibling() != c) {
      return std::string("next and previous links disagree after \"") + c->getText() + "\"";
    }
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
  const RavelinkChild* node = root;
  for (;;) {
    if (node == tree.getCurrent()) currentFound = true;
    std::string problem = checkChildren(node);
    if (!problem.empty()) return problem;
    if (node->getFirstChild() != nullptr) {
      node = node->getFirstChild();
      continue;
    }
    while (node != root && node->getNextSibling() == nullptr) node = node->getParent();
    if (node == root) break;
    node = node->getNextSibling();
  }
  return currentFound ? "" : "the current node is not in the tree";
}
