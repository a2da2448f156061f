#ifndef RAVELINK_TREE_TREE_WALK_H_
#define RAVELINK_TREE_TREE_WALK_H_

#include <cstddef>
#include <cstdint>

#include "tree/ravelink_child.h"

/// The one pre-order walk of a subtree, without recursion and without moving
/// the user's cursor. Every node of the subtree is entered before its
/// children and left after them; a node without children is entered and
/// left at once. Linear in the size of the subtree, constant memory.
///
///   TreeWalk walk(tree.getRoot());
///   while (walk.next()) {
///     if (walk.entering()) draw(walk.node(), walk.depth());
///   }
///
/// The tree must not change while a walk is on its way.
class TreeWalk {
 public:
  /// A walk of `top` and everything below it. REQUIRES: top != nullptr.
  explicit TreeWalk(const RavelinkChild* top) : top_(top) {}

  /// Moves to the next event; false once `top` has been left.
  bool next() {
    if (node_ == nullptr) {
      if (done_) return false;
      node_ = top_;
      entering_ = true;
      return true;
    }
    if (entering_ && !skipChildren_ && node_->getFirstChild() != nullptr) {
      node_ = node_->getFirstChild();
      ++depth_;
      return true;
    }
    skipChildren_ = false;
    if (entering_) {
      entering_ = false;  // a node without children (or skipped) is left now
      return true;
    }
    if (node_ == top_) {
      done_ = true;
      node_ = nullptr;
      return false;
    }
    if (node_->getNextSibling() != nullptr) {
      node_ = node_->getNextSibling();
      entering_ = true;
      return true;
    }
    node_ = node_->getParent();
    --depth_;
    return true;  // leaving the parent, whose children are all done
  }

  /// The node of the present event.
  const RavelinkChild* node() const { return node_; }
  /// True when the present event enters node(), false when it leaves it.
  bool entering() const { return entering_; }
  /// The levels between node() and the top: 0 for the top itself.
  std::int64_t depth() const { return depth_; }
  /// Right after entering a node: leave it next, without its children.
  void skipChildren() { skipChildren_ = true; }

 private:
  const RavelinkChild* top_;
  const RavelinkChild* node_ = nullptr;
  std::int64_t depth_ = 0;
  bool entering_ = false;
  bool skipChildren_ = false;
  bool done_ = false;
};

/// How many nodes the subtree of `top` holds, `top` itself included. Linear
/// in that subtree, constant memory.
inline std::size_t subtreeSize(const RavelinkChild* top) {
  std::size_t count = 0;
  TreeWalk walk(top);
  while (walk.next()) {
    if (walk.entering()) ++count;
  }
  return count;
}

/// The node after `node` in pre-order over the whole tree `node` belongs to,
/// or nullptr after the last node: its first child, else its next sibling,
/// else the next sibling of its nearest ancestor that has one. With
/// `intoChildren` false, the children of `node` are passed over as though it
/// had none (a folded node in the view). Stepping through a whole tree with
/// this is linear, as each node is climbed past once; constant memory.
/// A walk that starts at an arbitrary node uses this; a walk of a subtree
/// from its top uses TreeWalk.
inline const RavelinkChild* nextInPreorder(const RavelinkChild* node, bool intoChildren = true) {
  if (intoChildren && node->getFirstChild() != nullptr) return node->getFirstChild();
  for (; node != nullptr; node = node->getParent()) {
    if (node->getNextSibling() != nullptr) return node->getNextSibling();
  }
  return nullptr;
}

/// The node before `node` in the pre-order of nextInPreorder, or nullptr
/// before the root, where `showsChildren(n)` tells whether the children of
/// n are walked (n is not folded): the last shown descendant of the previous
/// sibling, else the parent. The inverse of nextInPreorder(n, showsChildren(n)).
template <typename ShowsChildren>
const RavelinkChild* previousInPreorder(const RavelinkChild* node, ShowsChildren showsChildren) {
  const RavelinkChild* before = node->getPrevSibling();
  if (before == nullptr) return node->getParent();
  while (before->getLastChild() != nullptr && showsChildren(before)) {
    before = before->getLastChild();
  }
  return before;
}

#endif  // RAVELINK_TREE_TREE_WALK_H_
