#include "tree/ravelink_child.h"

#include <cstring>
#include <new>
#include <utility>

#include "tree/my_exception.h"
#include "tree/text_field.h"
#include "tree/text_store.h"

// The pool of tree/node_slots.h makes places of this size; it knows nodes
// only by a forward declaration, so the check is here.
static_assert(sizeof(RavelinkChild) == node_slots::kNodeBytes,
              "the pool's places are made for nodes of this size");

RavelinkChild::RavelinkChild() : slot_(node_slots::takePendingSlot()) {}

RavelinkChild::~RavelinkChild() {
  RavelinkChild* siblings = getNextSibling();
  RavelinkChild* children = getFirstChild();
  nextSibling_ = 0;
  firstChild_ = 0;
  destroyChain(siblings);
  destroyChain(children);
  freeBytes();
  node_slots::release(slot_);
}

void RavelinkChild::destroyChain(RavelinkChild* node) {
  if (node == nullptr) return;
  RavelinkChild* stop = node->getParent();  // the walk never climbs above the chain
  while (node != nullptr) {
    if (RavelinkChild* child = node->getFirstChild()) {
      node->firstChild_ = 0;
      node = child;
      continue;
    }
    RavelinkChild* next = node->getNextSibling();
    if (next == nullptr && node->getParent() != stop) next = node->getParent();
    node->nextSibling_ = 0;  // so the destructor has nothing left to do
    delete node;
    node = next;
  }
}

void RavelinkChild::freeBytes() {
  if (bytes_ == nullptr) return;
  text_store::give(bytes_, std::size_t{textLength_} + hrefLength_ + 2);
  bytes_ = nullptr;
  textLength_ = 0;
  hrefLength_ = 0;
}

void RavelinkChild::store(const char* text, std::size_t textLength, const char* href,
                          std::size_t hrefLength) {
  char* bytes = nullptr;
  if (textLength + hrefLength > 0) {
    // Taken before the old piece is given back: `text` or `href` may lie in it.
    bytes = text_store::take(textLength + hrefLength + 2);
    std::memcpy(bytes, text, textLength);
    bytes[textLength] = '\0';
    std::memcpy(bytes + textLength + 1, href, hrefLength);
    bytes[textLength + 1 + hrefLength] = '\0';
  }
  freeBytes();
  bytes_ = bytes;
  textLength_ = static_cast<std::uint8_t>(textLength);
  hrefLength_ = static_cast<std::uint8_t>(hrefLength);
}

void RavelinkChild::setText(const char* newText) {
  store(newText, fieldLength(newText, kTextSize), getHref(), hrefLength_);
}

void RavelinkChild::setHref(const char* newHref) {
  store(getText(), textLength_, newHref, fieldLength(newHref, kHrefSize));
}

void RavelinkChild::setTextAndHref(const char* newText, const char* newHref) {
  store(newText, fieldLength(newText, kTextSize), newHref, fieldLength(newHref, kHrefSize));
}

void RavelinkChild::setTextAndHref(std::string_view newText, std::string_view newHref) {
  store(newText.data(), fieldLength(newText.data(), newText.size(), kTextSize), newHref.data(),
        fieldLength(newHref.data(), newHref.size(), kHrefSize));
}

// The links are slots; `first->prevSibling_` is the parent's last child.

void RavelinkChild::linkAsLastChild(RavelinkChild* detached) {
  detached->parent_ = slot_;
  detached->nextSibling_ = 0;
  if (firstChild_ == 0) {
    firstChild_ = detached->slot_;
    detached->prevSibling_ = detached->slot_;
    return;
  }
  RavelinkChild* first = getFirstChild();
  node_slots::nodeAt(first->prevSibling_)->nextSibling_ = detached->slot_;
  detached->prevSibling_ = first->prevSibling_;
  first->prevSibling_ = detached->slot_;
}

void RavelinkChild::linkAfter(RavelinkChild* detached) {
  detached->parent_ = parent_;
  detached->prevSibling_ = slot_;
  detached->nextSibling_ = nextSibling_;
  if (nextSibling_ != 0) {
    getNextSibling()->prevSibling_ = detached->slot_;
  } else {
    getParent()->getFirstChild()->prevSibling_ = detached->slot_;  // the new last child
  }
  nextSibling_ = detached->slot_;
}

void RavelinkChild::linkBefore(RavelinkChild* detached) {
  RavelinkChild* parent = getParent();
  detached->parent_ = parent_;
  detached->nextSibling_ = slot_;
  detached->prevSibling_ = prevSibling_;  // for a first child: the last child
  if (parent->firstChild_ == slot_) {
    parent->firstChild_ = detached->slot_;
  } else {
    node_slots::nodeAt(prevSibling_)->nextSibling_ = detached->slot_;
  }
  prevSibling_ = detached->slot_;
}

void RavelinkChild::unlink() {
  if (parent_ == 0) return;
  RavelinkChild* parent = getParent();
  RavelinkChild* next = getNextSibling();
  if (parent->firstChild_ == slot_) {
    parent->firstChild_ = nextSibling_;
    if (next != nullptr) next->prevSibling_ = prevSibling_;  // the last child
  } else {
    node_slots::nodeAt(prevSibling_)->nextSibling_ = nextSibling_;
    if (next != nullptr) {
      next->prevSibling_ = prevSibling_;
    } else {
      parent->getFirstChild()->prevSibling_ = prevSibling_;  // the new last child
    }
  }
  parent_ = 0;
  prevSibling_ = 0;
  nextSibling_ = 0;
}

void RavelinkChild::swapChildren(RavelinkChild* other) {
  std::swap(firstChild_, other->firstChild_);
  for (RavelinkChild* child = getFirstChild(); child != nullptr; child = child->getNextSibling())
    child->parent_ = slot_;
  for (RavelinkChild* child = other->getFirstChild(); child != nullptr;
       child = child->getNextSibling())
    child->parent_ = other->slot_;
}

void RavelinkChild::deleteChildren() {
  RavelinkChild* children = getFirstChild();
  firstChild_ = 0;
  destroyChain(children);
}
