#include "tree/ravelink.h"

#include "tree/text_field.h"

Ravelink::Ravelink() : root(new RavelinkChild), current(root) {
  hrefPrefix[0] = '\0';
  hrefSuffix[0] = '\0';
  baseUrl[0] = '\0';
  storeField(baseTarget, sizeof baseTarget, "_blank");
  styleTable[0] = '\0';
}

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

void Ravelink::setHrefPrefix(const char* text) { storeField(hrefPrefix, sizeof hrefPrefix, text); }
void Ravelink::setHrefSuffix(const char* text) { storeField(hrefSuffix, sizeof hrefSuffix, text); }
void Ravelink::setBaseUrl(const char* text) { storeField(baseUrl, sizeof baseUrl, text); }
void Ravelink::setBaseTarget(const char* text) { storeField(baseTarget, sizeof baseTarget, text); }
void Ravelink::setStyleTable(const char* text) { storeField(styleTable, sizeof styleTable, text); }

namespace {

// Pre-order walk of the subtree of `top` (top included) until `ref` names a
// node; returns that node or nullptr. Never leaves the subtree, never
// follows `ref`.
RavelinkChild* findBelow(RavelinkChild* top, NodeRef ref) {
  if (ref.names(top)) return top;
  RavelinkChild* node = top->getFirstChild();
  while (node != nullptr) {
    if (ref.names(node)) return node;
    if (node->getFirstChild() != nullptr) {
      node = node->getFirstChild();
      continue;
    }
    while (node->getNextSibling() == nullptr) {
      node = node->getParent();
      if (node == top) return nullptr;
    }
    node = node->getNextSibling();
  }
  return nullptr;
}

}  // namespace

bool Ravelink::containsNode(NodeRef node) const {
  return !node.empty() && findBelow(current, node) != nullptr;
}

RavelinkChild* Ravelink::findInTree(NodeRef ref) const {
  return ref.empty() ? nullptr : findBelow(root, ref);
}
