// Browsing, adding, deleting and clearing: the editing core of Ravelink.
#include <cstring>
#include <string>
#include <string_view>

#include "tree/edit_history.h"
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

RavelinkChild* Ravelink::newNode(std::string_view text, std::string_view href) const {
  if (!href.empty() && !(settings_.hrefPrefix.empty() && settings_.hrefSuffix.empty())) {
    return newNode(std::string(text).c_str(), std::string(href).c_str());
  }
  // Without prefix and suffix composeHref only cuts the href to the
  // setting's length, byte-wise.
  const std::size_t longest = kSettingSize - 1;
  auto* node = RavelinkChild::create();
  node->setTextAndHref(text, href.substr(0, href.size() < longest ? href.size() : longest));
  return node;
}

void Ravelink::noteLinked(RavelinkChild* node) {
  if (history_ != nullptr) history_->noteLinked(node);
}

void Ravelink::dispose(RavelinkChild* node, RavelinkChild* parent, RavelinkChild* previous) {
  if (history_ != nullptr && history_->recording()) {
    history_->noteRemoved(node, parent, previous);
  } else {
    delete node;  // detached: its subtree goes with it, nothing else
  }
}

void Ravelink::setCurrentText(const char* text) {
  if (history_ != nullptr && std::strcmp(text, current_->getText()) != 0) {
    history_->noteText(current_, current_->getText());
  }
  current_->setText(text);
}

void Ravelink::setCurrentHref(const char* href) {
  if (history_ != nullptr && std::strcmp(href, current_->getHref()) != 0) {
    history_->noteHref(current_, current_->getHref());
  }
  current_->setHref(href);
}

void Ravelink::linkAsLastChildOfCurrent(RavelinkChild* detached) {
  current_->linkAsLastChild(detached);
  noteLinked(detached);
}

void Ravelink::addAsChild(const char* text, const char* href) {
  RavelinkChild* node = newNode(text, href);
  current_->linkAsLastChild(node);
  noteLinked(node);
}

void Ravelink::addAsNext(const char* text, const char* href) {
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  RavelinkChild* node = newNode(text, href);
  current_->linkAfter(node);
  noteLinked(node);
  browseNext();
}

void Ravelink::addLoadedChild(std::string_view text, std::string_view href) {
  RavelinkChild* node = newNode(text, href);
  current_->linkAsLastChild(node);
  noteLinked(node);
}

void Ravelink::addLoadedNext(std::string_view text, std::string_view href) {
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  RavelinkChild* node = newNode(text, href);
  current_->linkAfter(node);
  noteLinked(node);
  current_ = node;
}

void Ravelink::addAsPrevious(const char* text, const char* href) {
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  RavelinkChild* node = newNode(text, href);
  current_->linkBefore(node);
  noteLinked(node);
  browsePrevious();
}

void Ravelink::deleteTreeNode() {
  if (isRoot()) throw myException(Fault::kDeleteRoot);
  RavelinkChild* doomed = current_;
  RavelinkChild* parent = doomed->getParent();
  RavelinkChild* previous = doomed->getPrevSibling();
  RavelinkChild* next = doomed->getNextSibling();
  current_ = next != nullptr ? next : previous != nullptr ? previous : parent;
  doomed->unlink();
  dispose(doomed, parent, previous);
}

void Ravelink::reorderChildren(const std::vector<const RavelinkChild*>& order) {
  RavelinkChild* placed = nullptr;  // the last child put in its place
  for (const RavelinkChild* wanted : order) {
    // The tree's nodes are the context's own; the caller saw them as const.
    auto* node = const_cast<RavelinkChild*>(wanted);
    RavelinkChild* before = node->getPrevSibling();
    if (before == placed) {  // already in its place
      placed = node;
      continue;
    }
    node->unlink();
    if (placed != nullptr) {
      placed->linkAfter(node);
    } else {
      current_->getFirstChild()->linkBefore(node);
    }
    if (history_ != nullptr) history_->noteMoved(node, current_, before);
    placed = node;
  }
}

void Ravelink::clearTree() {
  gotoRoot();
  if (history_ == nullptr || !history_->takeTreeBeingCleared()) root_->deleteChildren();
  refs_.activeCount = 0;
  root_->setText("");
  root_->setHref("");
  refs_.clipboard = NodeRef();
  settings_ = PageSettings();
  settings_.baseTarget.clear();
}
