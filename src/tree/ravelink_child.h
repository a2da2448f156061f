#ifndef RAVELINK_TREE_RAVELINK_CHILD_H_
#define RAVELINK_TREE_RAVELINK_CHILD_H_

#include <cstddef>
#include <cstdint>

// Nodes come from a pool (see operator new below) except in builds with
// AddressSanitizer, which must see every node as an allocation of its own
// to catch a use after delete or a leak.
#if defined(__SANITIZE_ADDRESS__)
#define RAVELINK_NODE_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define RAVELINK_NODE_POOL 0
#endif
#endif
#ifndef RAVELINK_NODE_POOL
#define RAVELINK_NODE_POOL 1
#endif

/// One node of the link tree: a display text, an href and four links.
/// The links change only through the linking operations below.
///
/// A node owns its first child and its next sibling, so destroying a node
/// destroys the siblings after it and everything below it (iteratively: a
/// long sibling chain or a deep tree cannot exhaust the call stack). To destroy
/// exactly one node with its subtree, empty its next-sibling link first.
///
/// Every node gets a serial number that is never reused, so a reference kept
/// to a deleted node (NodeRef) never comes to name a node created later.
class RavelinkChild {
 public:
  static constexpr int kTextSize = 64;   // at most 63 bytes of text
  static constexpr int kHrefSize = 128;  // at most 127 bytes of href

  RavelinkChild();
  ~RavelinkChild();
  RavelinkChild(const RavelinkChild&) = delete;
  RavelinkChild& operator=(const RavelinkChild&) = delete;

#if RAVELINK_NODE_POOL
  /// Nodes are carved from large blocks, and a deleted node's place is given
  /// to the next new one. malloc would add 8 bytes to each 232-byte node and
  /// take longer; a million-node tree is 221 MiB this way. The blocks are
  /// kept for the length of the run.
  static void* operator new(std::size_t size);
  static void operator delete(void* node, std::size_t size) noexcept;
#endif

  /// Stores the text cut to 63 bytes (the href cut to 127).
  void setText(const char* newText);
  const char* getText() const { return text; }
  void setHref(const char* newHref);
  const char* getHref() const { return href; }

  RavelinkChild* getParent() const { return parent; }
  /// Empty for a first child and for the root.
  RavelinkChild* getPrevSibling() const {
    return parent != nullptr && parent->firstChild == this ? nullptr : prevSibling;
  }
  RavelinkChild* getNextSibling() const { return nextSibling; }
  RavelinkChild* getFirstChild() const { return firstChild; }
  /// The last child, in constant time; nullptr without children.
  RavelinkChild* getLastChild() const {
    return firstChild != nullptr ? firstChild->prevSibling : nullptr;
  }

  std::uint64_t serial() const { return serialNumber; }

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

  /// Destroys the only child of this node with its subtree. Throws "no child"
  /// or "no only child" (under "deleteTreeNode"), changing nothing.
  void deleteOnlyChild();
  /// Destroys the next sibling with its subtree. Throws "no next node".
  void deleteNext();
  /// Destroys the first child of this node's parent, which is not this node.
  /// Throws "first brother is current" when this node is a first child.
  void deleteFirstSibling();
  /// Destroys every child of this node with their subtrees.
  void deleteChildren();

  /// Destroys `node`, every sibling after it and all their descendants,
  /// without recursion. Accepts nullptr.
  static void destroyChain(RavelinkChild* node);

 private:
  char text[kTextSize];
  RavelinkChild* parent = nullptr;
  // The previous sibling; for a first child, the last child of the parent,
  // so that appending never walks the siblings (getPrevSibling hides it).
  RavelinkChild* prevSibling = nullptr;
  RavelinkChild* nextSibling = nullptr;
  RavelinkChild* firstChild = nullptr;
  char href[kHrefSize];
  std::uint64_t serialNumber;
};

/// A reference to a node that owns nothing and may outlive the node: the
/// active-node stack, the clipboard and the working places hold these. It is
/// never followed; it is only compared with nodes met while walking the tree.
struct NodeRef {
  const RavelinkChild* node = nullptr;
  std::uint64_t serial = 0;

  NodeRef() = default;
  explicit NodeRef(const RavelinkChild* n) : node(n), serial(n ? n->serial() : 0) {}

  bool empty() const { return node == nullptr; }
  /// True when `live` (a node of the tree, or nullptr) is the node referred to.
  bool names(const RavelinkChild* live) const {
    return live != nullptr && live == node && live->serial() == serial;
  }
};

#endif  // RAVELINK_TREE_RAVELINK_CHILD_H_
