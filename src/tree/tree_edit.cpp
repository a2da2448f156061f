// Browsing, adding, deleting and clearing: the editing core of Ravelink.
#include <cstring>

#include "tree/ravelink.h"
#include "tree/text_field.h"

void Ravelink::browseNext() {
  if (current->getNextSibling() == nullptr) throw myException(Fault::kBrowseNoNext);
  current = current->getNextSibling();
}

void Ravelink::browsePrevious() {
  if (current->getPrevSibling() == nullptr) throw myException(Fault::kBrowseNoPrevious);
  current = current->getPrevSibling();
}

void Ravelink::browseFirstChild() {
  if (current->getFirstChild() == nullptr) throw myException(Fault::kBrowseNoChild);
  current = current->getFirstChild();
}

void Ravelink::browseParent() {
  if (current->getParent() == nullptr) throw myException(Fault::kBrowseNoParent);
  current = current->getParent();
}

// Writes into `out` (RavelinkChild::kHrefSize bytes) the href a new node gets:
// empty for an empty href, else prefix + href + suffix cut to the field.
void Ravelink::composeHref(const char* href, char* out) const {
  if (href[0] == '\0') {
    out[0] = '\0';
    return;
  }
  char joined[3 * kSettingSize];
  std::size_t length = 0;
  for (const char* part : {getHrefPrefix(), href, getHrefSuffix()}) {
    std::size_t partLength = strnlen(part, kSettingSize - 1);
    std::memcpy(joined + length, part, partLength);
    length += partLength;
  }
  joined[length] = '\0';
  storeField(out, RavelinkChild::kHrefSize, joined);
}

RavelinkChild* Ravelink::newNode(const char* text, const char* href) const {
  char composed[RavelinkChild::kHrefSize];
  composeHref(href, composed);
  auto* node = new RavelinkChild;
  node->setTextAndHref(text, composed);
  return node;
}

void Ravelink::addAsChild(const char* text, const char* href) {
  current->linkAsLastChild(newNode(text, href));
}

void Ravelink::addAsNext(const char* text, const char* href) {
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  current->linkAfter(newNode(text, href));
  browseNext();
}

void Ravelink::addAsPrevious(const char* text, const char* href) {
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  current->linkBefore(newNode(text, href));
  browsePrevious();
}

void Ravelink::deleteOnlyChildOfCurrent() { current->deleteOnlyChild(); }
void Ravelink::deleteNextOfCurrent() { current->deleteNext(); }
void Ravelink::deleteFirstSiblingOfCurrent() { current->deleteFirstSibling(); }

void Ravelink::deleteTreeNode() {
  if (isRoot()) throw myException(Fault::kDeleteRoot);
  if (hasPrevious()) {
    browsePrevious();
    deleteNextOfCurrent();
    if (hasNext()) browseNext();
  } else if (hasNext()) {
    browseNext();
    deleteFirstSiblingOfCurrent();
  } else {
    browseParent();
    deleteOnlyChildOfCurrent();
  }
}

void Ravelink::clearTree() {
  gotoRoot();
  root->deleteChildren();
  clearActiveStack();
  root->setText("");
  root->setHref("");
  clipboard = NodeRef();
  settings_ = PageSettings();
  settings_.baseTarget.clear();
}
