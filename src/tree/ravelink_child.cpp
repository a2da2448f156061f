#include "tree/ravelink_child.h"

#include <new>

#include "tree/my_exception.h"
#include "tree/text_field.h"

namespace {
std::uint64_t nextSerial = 1;
}  // namespace

#if RAVELINK_NODE_POOL
namespace {

/// Storage for nodes: blocks of kBlockNodes places, used in order, and a list
/// of the places that deleted nodes left, used first.
class NodePool {
 public:
  void* take() {
    if (free_ != nullptr) {
      FreePlace* place = free_;
      free_ = place->next;
      return place;
    }
    if (unused_ == 0) grow();
    void* place = next_;
    next_ += sizeof(RavelinkChild);
    --unused_;
    return place;
  }

  void give(void* node) {
    auto* place = static_cast<FreePlace*>(node);
    place->next = free_;
    free_ = place;
  }

 private:
  static constexpr std::size_t kBlockNodes = 4096;  // about 0.9 MiB

  void grow() {
    // The new handler ends the run when memory is exhausted.
    next_ = static_cast<char*>(::operator new(kBlockNodes * sizeof(RavelinkChild)));
    unused_ = kBlockNodes;
  }

  struct FreePlace {
    FreePlace* next;
  };
  FreePlace* free_ = nullptr;
  char* next_ = nullptr;
  std::size_t unused_ = 0;
};

// Never destroyed, so a tree destroyed late in the program's exit still has
// its pool.
NodePool& pool() {
  static NodePool* const thePool = new NodePool;
  return *thePool;
}

}  // namespace

void* RavelinkChild::operator new(std::size_t size) {
  if (size != sizeof(RavelinkChild)) return ::operator new(size);
  return pool().take();
}

void RavelinkChild::operator delete(void* node, std::size_t size) noexcept {
  if (node == nullptr) return;
  if (size != sizeof(RavelinkChild)) {
    ::operator delete(node);
  } else {
    pool().give(node);
  }
}
#endif

RavelinkChild::RavelinkChild() : serialNumber(nextSerial++) {
  text[0] = '\0';
  href[0] = '\0';
}

RavelinkChild::~RavelinkChild() {
  RavelinkChild* siblings = nextSibling;
  RavelinkChild* children = firstChild;
  nextSibling = nullptr;
  firstChild = nullptr;
  destroyChain(siblings);
  destroyChain(children);
}

void RavelinkChild::destroyChain(RavelinkChild* node) {
  if (node == nullptr) return;
  RavelinkChild* stop = node->parent;  // the walk never climbs above the chain
  while (node != nullptr) {
    if (RavelinkChild* child = node->firstChild) {
      node->firstChild = nullptr;
      node = child;
      continue;
    }
    RavelinkChild* next = node->nextSibling;
    if (next == nullptr && node->parent != stop) next = node->parent;
    node->nextSibling = nullptr;  // so the destructor has nothing left to do
    delete node;
    node = next;
  }
}

void RavelinkChild::setText(const char* newText) { storeField(text, sizeof text, newText); }

void RavelinkChild::setHref(const char* newHref) { storeField(href, sizeof href, newHref); }

RavelinkChild* RavelinkChild::appendChild(const char* newText, const char* newHref,
                                          RavelinkChild* lastChild) {
  auto* node = new RavelinkChild;
  node->parent = this;
  node->setText(newText);
  node->setHref(newHref);
  if (firstChild == nullptr) {
    firstChild = node;
    return node;
  }
  RavelinkChild* last = lastChild != nullptr ? lastChild : firstChild;
  while (last->nextSibling != nullptr) last = last->nextSibling;
  node->prevSibling = last;
  last->nextSibling = node;
  return node;
}

void RavelinkChild::insertNext(const char* newText, const char* newHref) {
  if (parent == nullptr) throw myException(Fault::kAddRootHasNoBrother);
  auto* node = new RavelinkChild;
  node->parent = parent;
  node->prevSibling = this;
  node->nextSibling = nextSibling;
  node->setText(newText);
  node->setHref(newHref);
  if (nextSibling != nullptr) nextSibling->prevSibling = node;
  nextSibling = node;
}

void RavelinkChild::insertPrevious(const char* newText, const char* newHref) {
  if (parent == nullptr) throw myException(Fault::kAddRootHasNoBrother);
  auto* node = new RavelinkChild;
  node->parent = parent;
  node->prevSibling = prevSibling;
  node->nextSibling = this;
  node->setText(newText);
  node->setHref(newHref);
  if (prevSibling != nullptr) {
    prevSibling->nextSibling = node;
  } else {
    parent->firstChild = node;
  }
  prevSibling = node;
}

void RavelinkChild::deleteOnlyChild() {
  if (firstChild == nullptr) throw myException(Fault::kDeleteNoChild);
  if (firstChild->nextSibling != nullptr) throw myException(Fault::kDeleteNoOnlyChild);
  RavelinkChild* child = firstChild;
  firstChild = nullptr;
  destroyChain(child);
}

void RavelinkChild::deleteNext() {
  if (nextSibling == nullptr) throw myException(Fault::kDeleteNoNext);
  RavelinkChild* doomed = nextSibling;
  RavelinkChild* after = doomed->nextSibling;
  doomed->nextSibling = nullptr;
  destroyChain(doomed);
  nextSibling = after;
  if (after != nullptr) after->prevSibling = this;
}

void RavelinkChild::deleteFirstSibling() {
  if (prevSibling == nullptr) throw myException(Fault::kDeleteFirstIsCurrent);
  RavelinkChild* first = parent->firstChild;
  parent->firstChild = first->nextSibling;
  first->nextSibling = nullptr;
  destroyChain(first);
  parent->firstChild->prevSibling = nullptr;
}
