#include "support/tree_shape.h"

#include "tree/tree_check.h"

std::string treeShape(const Ravelink& tree) {
  std::string broken = checkTree(tree);
  if (!broken.empty()) return "BROKEN: " + broken;
  const RavelinkChild* root = tree.getRoot();
  std::string shape;
  const RavelinkChild* node = root;
  for (;;) {
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

void go(Ravelink& tree, const std::string& path) {
  tree.gotoRoot();
  for (char step : path) {
    if (step == 'c') tree.browseFirstChild();
    if (step == 'n') tree.browseNext();
  }
}
