#include "support/tree_shape.h"

#include <stdexcept>

namespace {

std::string checkLinks(const RavelinkChild* node) {
  std::string where = std::string("at \"") + node->getText() + "\": ";
  const RavelinkChild* child = node->getFirstChild();
  if (child != nullptr && child->getPrevSibling() != nullptr) return where + "first child has a previous";
  for (const RavelinkChild* c = child; c != nullptr; c = c->getNextSibling()) {
    if (c->getParent() != node) return where + "child with wrong parent";
    if (c->getNextSibling() != nullptr && c->getNextSibling()->getPrevSibling() != c)
      return where + "next/previous links disagree";
  }
  return "";
}

}  // namespace

std::string treeShape(const Ravelink& tree) {
  const RavelinkChild* root = tree.getRoot();
  if (root->getParent() || root->getNextSibling() || root->getPrevSibling())
    return "BROKEN: root has a parent or siblings";
  std::string shape;
  const RavelinkChild* node = root;
  for (;;) {
    std::string broken = checkLinks(node);
    if (!broken.empty()) return "BROKEN: " + broken;
    shape += node->getText();
    if (node == tree.getCurrent()) shape += '*';
    if (node->getFirstChild() != nullptr) {
      shape += '(';
      node = node->getFirstChild();
      continue;
    }
    while (node != root && node->getNextSibling() == nullptr) {
      node = node->getParent();
      shape += ')';
    }
    if (node == root) return shape;
    shape += ',';
    node = node->getNextSibling();
  }
}

void buildShape(Ravelink& tree, const std::string& shape) {
  tree.gotoRoot();
  std::size_t i = 0;
  auto readText = [&] {
    std::size_t start = i;
    while (i < shape.size() && shape[i] != '(' && shape[i] != ')' && shape[i] != ',') ++i;
    return shape.substr(start, i - start);
  };
  tree.setCurrentText(readText().c_str());
  bool firstChild = false;
  while (i < shape.size()) {
    char c = shape[i++];
    if (c == '(') {
      firstChild = true;
    } else if (c == ')') {
      tree.browseParent();
    } else if (c == ',') {
      firstChild = false;
    } else {
      --i;
      std::string text = readText();
      if (firstChild) {
        tree.addAsChild(text.c_str(), "");
        tree.browseFirstChild();
        firstChild = false;
      } else {
        tree.addAsNext(text.c_str(), "");
      }
    }
  }
  tree.gotoRoot();
}
