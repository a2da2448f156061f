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
  for (const char* part : {static_cast<const char*>(hrefPrefix), href,
                           static_cast<const char*>(hrefSuffix)}) {
    std::size_t partLength = strnlen(part, kSettingSize - 1);
    std::memcpy(joined + length, part, partLength);
    length += partLength;
  }
  joined[length] = '\0';
  storeField(out, RavelinkChild::kHrefSize, joined);
}

void Ravelink::addAsChild(const char* text, const char* href) {
  char composed[RavelinkChild::kHrefSize];
  composeHref(href, composed);
  RavelinkChild* last = current->getFirstChild();
  auto known = lastOfLongFamily.end();
  if (last != nullptr && !lastOfLongFamily.empty()) {
    known = lastOfLongFamily.find(current);
    if (known != lastOfLongFamily.end()) last = known->second;
  }
  // A remembered last child may have got siblings after it since.
  int steps = 0;
  if (last != nullptr) {
    for (; last->getNextSibling() != nullptr; ++steps) last = last->getNextSibling();
  }
  RavelinkChild* added = current->appendChild(text, composed, last);
  constexpr int kLongWalk = 64;
  if (known != lastOfLongFamily.end()) {
    known->second = added;
  } else if (steps > kLongWalk) {
    lastOfLongFamily[current] = added;
  }
}

void Ravelink::addAsNext(const char* text, const char* href) {
  char composed[RavelinkChild::kHrefSize];
  composeHref(href, composed);
  current->insertNext(text, composed);
  browseNext();
}

void Ravelink::addAsPrevious(const char* text, const char* href) {
  char composed[RavelinkChild::kHrefSize];
  composeHref(href, composed);
  current->insertPrevious(text, composed);
  browsePrevious();
}

void Ravelink::deleteOnlyChildOfCurrent() {
  lastOfLongFamily.clear();
  current->deleteOnlyChild();
}

void Ravelink::deleteNextOfCurrent() {
  lastOfLongFamily.clear();
  current->deleteNext();
}

void Ravelink::deleteFirstSiblingOfCurrent() {
  lastOfLongFamily.clear();
  current->deleteFirstSibling();
}

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
  lastOfLongFamily.clear();
  RavelinkChild* children = root->getFirstChild();
  root->setFirstChild(nullptr);
  RavelinkChild::destroyChain(children);
  clearActiveStack();
  root->setText("");
  root->setHref("");
  hrefPrefix[0] = '\0';
  hrefSuffix[0] = '\0';
  baseUrl[0] = '\0';
  baseTarget[0] = '\0';
  clipboard = NodeRef();
  styleTable[0] = '\0';
  usingPara = 1;
}
