#ifndef RAVELINK_TREE_RAVELINK_CHILD_H_
#define RAVELINK_TREE_RAVELINK_CHILD_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tree/node_slots.h"

/// One node of the link tree: a display text, an href and four links.
/// The links change only through the linking operations below.
///
/// A node owns its first child and its next sibling, so destroying a node
/// destroys the siblings after it and everything below it (iteratively: a
/// long sibling chain or a deep tree cannot exhaust the call stack). To destroy
/// exactly one node with its subtree, empty its next-sibling link first.
///
/// A node is 32 bytes: four links as slot numbers (tree/node_slots.h), its
/// own slot, and one piece of text storage holding the text and the href,
/// each followed by a NUL (none at all while both are empty). A reference
/// kept to a deleted node (NodeRef) never comes to name a node created later.
class RavelinkChild {
 public:
  static constexpr int kTextSize = 64;   // at most 63 bytes of text
  static constexpr int kHrefSize = 128;  // at most 127 bytes of href

  /// A new detached node with empty text and href: the one way to make a
  /// node. Its storage and its slot come together from tree/node_slots.h
  /// (operator new below), so the constructor is private: a node made any
  /// other way (on the stack, by placement new) would have no slot of its own.
  static RavelinkChild* create() { return new RavelinkChild; }
  ~RavelinkChild();
  RavelinkChild(const RavelinkChild&) = delete;
  RavelinkChild& operator=(const RavelinkChild&) = delete;

  /// Nodes live in the slots of tree/node_slots.h.
  static void operator delete(void* node, std::size_t size) noexcept {
    node_slots::deallocate(node, size);
  }

  /// Stores the text cut to 63 bytes (the href cut to 127), never inside a
  /// UTF-8 sequence.
  void setText(const char* newText);
  const char* getText() const { return bytes_ != nullptr ? bytes_ : ""; }
  void setHref(const char* newHref);
  const char* getHref() const { return bytes_ != nullptr ? bytes_ + textLength_ + 1 : ""; }
  /// Both at once, as a new node gets them.
  void setTextAndHref(const char* newText, const char* newHref);
  /// The same for texts of known length that hold no NUL byte.
  void setTextAndHref(std::string_view newText, std::string_view newHref);
  /// The lengths of getText() and getHref().
  std::size_t getTextLength() const { return textLength_; }
  std::size_t getHrefLength() const { return hrefLength_; }

  RavelinkChild* getParent() const { return node_slots::nodeAt(parent_); }
  /// Empty for a first child and for the root.
  RavelinkChild* getPrevSibling() const {
    return parent_ != 0 && getParent()->firstChild_ == slot_ ? nullptr
                                                             : node_slots::nodeAt(prevSibling_);
  }
  RavelinkChild* getNextSibling() const { return node_slots::nodeAt(nextSibling_); }
  RavelinkChild* getFirstChild() const { return node_slots::nodeAt(firstChild_); }
  /// The last child, in constant time; nullptr without children.
  RavelinkChild* getLastChild() const {
    return firstChild_ != 0 ? node_slots::nodeAt(getFirstChild()->prevSibling_) : nullptr;
  }

  /// The slot that names this node as long as it lives.
  std::uint32_t slot() const { return slot_; }

  // ---- Linking: the one place where the links of the tree change ----
  // A detached node has no parent and no siblings; it may have children.
  // These take ownership of it and keep every invariant of the tree,
  // including the constant-time last child. None of them allocates.

  /// Links `detached` as the last child of this node.
  void linkAsLastChild(RavelinkChild* detached);
  /// Links `detached` right after this node. REQUIRES: this has a parent.
  void linkAfter(RavelinkChild* detached);
  /// Links `detached` right before this node. REQUIRES: this has a parent.
  void linkBefore(RavelinkChild* detached);
  /// Takes this node with its subtree out of the tree; it is detached
  /// afterwards and owned by the caller. Does nothing to a detached node.
  void unlink();

  /// Exchanges the children of this node and of `other`, with their
  /// subtrees; linear in the number of children (not of their subtrees).
  void swapChildren(RavelinkChild* other);
  /// Destroys every child of this node with their subtrees.
  void deleteChildren();

  /// Destroys `node`, every sibling after it and all their descendants,
  /// without recursion. Accepts nullptr.
  static void destroyChain(RavelinkChild* node);

 private:
  /// Takes the slot that operator new left pending for this node.
  RavelinkChild();
  static void* operator new(std::size_t size) { return node_slots::allocate(size); }

  /// Replaces the text storage with `text` and `href`, cut to their fields.
  void store(const char* text, std::size_t textLength, const char* href,
             std::size_t hrefLength);
  void freeBytes();

  // Links as slots; 0 is empty. For a first child, prevSibling_ holds the
  // last child of the parent, so appending never walks the siblings
  // (getPrevSibling hides it).
  std::uint32_t parent_ = 0;
  std::uint32_t prevSibling_ = 0;
  std::uint32_t nextSibling_ = 0;
  std::uint32_t firstChild_ = 0;
  char* bytes_ = nullptr;  // text, NUL, href, NUL
  std::uint32_t slot_;
  std::uint8_t textLength_ = 0;
  std::uint8_t hrefLength_ = 0;
};

/// A reference to a node that owns nothing and may outlive the node: the
/// active-node stack, the clipboard and the working places hold these. It
/// holds the node's slot and the slot's generation at the time, so whether
/// its node still lives is told in constant time, and a reference to a
/// deleted node never names the node that takes the slot next.
struct NodeRef {
  std::uint32_t slot = 0;
  std::uint32_t generation = 0;

  NodeRef() = default;
  explicit NodeRef(const RavelinkChild* n)
      : slot(n != nullptr ? n->slot() : 0),
        generation(n != nullptr ? node_slots::generationOf(n->slot()) : 0) {}

  bool empty() const { return slot == 0; }
  /// The node referred to while it lives, else nullptr.
  RavelinkChild* live() const {
    return slot != 0 && node_slots::generationOf(slot) == generation ? node_slots::nodeAt(slot)
                                                                     : nullptr;
  }
  /// True when `node` (a live node, or nullptr) is the node referred to.
  bool names(const RavelinkChild* node) const {
    return node != nullptr && node->slot() == slot && node_slots::generationOf(slot) == generation;
  }
  bool operator==(const NodeRef&) const = default;
};

#endif  // RAVELINK_TREE_RAVELINK_CHILD_H_
