#include "support/tree_shape.h"

#include "tree/tree_check.h"
#include "tree/tree_walk.h"

std::string treeShape(const Ravelink& tree) {
  std::string broken = checkTree(tree);
  if (!broken.empty()) return "BROKEN: " + broken;
  std::string shape;
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    const RavelinkChild* node = walk.node();
    const bool hasChildren = node->getFirstChild() != nullptr;
    if (!walk.entering()) {
      if (hasChildren) shape += ')';
      continue;
    }
    if (node->getPrevSibling() != nullptr) shape += ',';
    shape += node->getText();
    if (node == tree.getCurrent()) shape += '*';
    if (hasChildren) shape += '(';
  }
  return shape;
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
