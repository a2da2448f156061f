// Browsing, adding, deleting and clearing: the editing core of Ravelink.
#include <cstring>

#include "tree/ravelink.h"
#include "tree/text_field.h"

void Ravelink::browseNext() {
  if (current_->getNextSibling() == nullptr) throw myException(Fault::kBrowseNoNext);
  current_ = current_->getNextSibling();
}

void Ravelink::browsePrevious() {
  if (current_->getPrevSibling() == nullptr) throw myException(Fault::kBrowseNoPrevious);
  current_ = current_->getPrevSibling();
}

void Ravelink::browseFirstChild() {
  if (current_->getFirstChild() == nullptr) throw myException(Fault::kBrowseNoChild);
  current_ = current_->getFirstChild();
}

void Ravelink::browseParent() {
  if (current_->getParent() == nullptr) throw myException(Fault::kBrowseNoParent);
  current_ = current_->getParent();
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
  for (const char* part : {settings_.hrefPrefix.get(), href, settings_.hrefSuffix.get()}) {
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
  auto* node = RavelinkChild::create();
  node->setTextAndHref(text, composed);
  return node;
}

void Ravelink::addAsChild(const char* text, const char* href) {
  current_->linkAsLastChild(newNode(text, href));
}

void Ravelink::addAsNext(const char* text, const char* href) {
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  current_->linkAfter(newNode(text, href));
  browseNext();
}

void Ravelink::addAsPrevious(const char* text, const char* href) {
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  current_->linkBefore(newNode(text, href));
  browsePrevious();
}

// The node is deleted from a neighbour that stays: its previous sibling,
// else its next sibling, else its parent; that neighbour (or the next
// sibling after the deleted node) becomes current.
void Ravelink::deleteTreeNode() {
  if (isRoot()) throw myException(Fault::kDeleteRoot);
  if (current_->getPrevSibling() != nullptr) {
    browsePrevious();
    current_->deleteNext();
    if (current_->getNextSibling() != nullptr) browseNext();
  } else if (current_->getNextSibling() != nullptr) {
    browseNext();
    current_->deleteFirstSibling();
  } else {
    browseParent();
    current_->deleteOnlyChild();
  }
}

void Ravelink::clearTree() {
  gotoRoot();
  root_->deleteChildren();
  refs_.activeCount = 0;
  root_->setText("");
  root_->setHref("");
  refs_.clipboard = NodeRef();
  settings_ = PageSettings();
  settings_.baseTarget.clear();
}
