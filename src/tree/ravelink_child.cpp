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

void RavelinkChild::linkAsLastChild(RavelinkChild* detached) {
  detached->parent = this;
  detached->nextSibling = nullptr;
  if (firstChild == nullptr) {
    firstChild = detached;
    detached->prevSibling = detached;
    return;
  }
  RavelinkChild* last = firstChild->prevSibling;
  last->nextSibling = detached;
  detached->prevSibling = last;
  firstChild->prevSibling = detached;
}

void RavelinkChild::linkAfter(RavelinkChild* detached) {
  detached->parent = parent;
  detached->prevSibling = this;
  detached->nextSibling = nextSibling;
  if (nextSibling != nullptr) {
    nextSibling->prevSibling = detached;
  } else {
    parent->firstChild->prevSibling = detached;  // the new last child
  }
  nextSibling = detached;
}

void RavelinkChild::linkBefore(RavelinkChild* detached) {
  detached->parent = parent;
  detached->nextSibling = this;
  detached->prevSibling = prevSibling;  // for a first child: the last child
  if (parent->firstChild == this) {
    parent->firstChild = detached;
  } else {
    prevSibling->nextSibling = detached;
  }
  prevSibling = detached;
}

void RavelinkChild::unlink() {
  if (parent == nullptr) return;
  RavelinkChild* first = parent->firstChild;
  if (first == this) {
    parent->firstChild = nextSibling;
    if (nextSibling != nullptr) nextSibling->prevSibling = prevSibling;  // the last child
  } else {
    prevSibling->nextSibling = nextSibling;
    if (nextSibling != nullptr) {
      nextSibling->prevSibling = prevSibling;
    } else {
      first->prevSibling = prevSibling;  // the new last child
    }
  }
  parent = nullptr;
  prevSibling = nullptr;
  nextSibling = nullptr;
}

void RavelinkChild::deleteOnlyChild() {
  if (firstChild == nullptr) throw myException(Fault::kDeleteNoChild);
  if (firstChild->nextSibling != nullptr) throw myException(Fault::kDeleteNoOnlyChild);
  deleteChildren();
}

void RavelinkChild::deleteNext() {
  if (nextSibling == nullptr) throw myException(Fault::kDeleteNoNext);
  RavelinkChild* doomed = nextSibling;
  doomed->unlink();
  destroyChain(doomed);
}

void RavelinkChild::deleteFirstSibling() {
  if (getPrevSibling() == nullptr) throw myException(Fault::kDeleteFirstIsCurrent);
  RavelinkChild* first = parent->firstChild;
  first->unlink();
  destroyChain(first);
}

void RavelinkChild::deleteChildren() {
  RavelinkChild* children = firstChild;
  firstChild = nullptr;
  destroyChain(children);
}
