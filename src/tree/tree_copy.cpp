// Paste: a deep copy of the clipboard node before, after or below the current
// node.
//
// The copy is built as a detached subtree first and linked in at the end.
// Reading the whole source before anything is linked means that pasting a
// node into itself copies the subtree as it was, exactly once, and that a
// paste which fails (at the root, say) leaves nothing behind.
#include "tree/ravelink.h"
#include "tree/tree_walk.h"

namespace {

RavelinkChild* newCopyOf(const RavelinkChild* source) {
  auto* node = RavelinkChild::create();
  node->setTextAndHref(source->getText(), source->getHref());
  return node;
}

// Returns a deep copy of `source` and its subtree, detached. The walk keeps
// `to` on the copy of the node it is in, so neither the depth nor the length
// of a sibling chain is limited by the call stack. Linear in the size of the
// subtree.
RavelinkChild* copySubtree(const RavelinkChild* source) {
  RavelinkChild* top = nullptr;
  RavelinkChild* to = nullptr;
  try {
    for (TreeWalk walk(source); walk.next();) {
      if (!walk.entering()) {
        to = to->getParent();
        continue;
      }
      RavelinkChild* copy = newCopyOf(walk.node());
      if (to == nullptr) {
        top = copy;
      } else {
        to->linkAsLastChild(copy);
      }
      to = copy;
    }
  } catch (...) {
    RavelinkChild::destroyChain(top);
    throw;
  }
  return top;
}

}  // namespace

// The checks of a paste, in their order; returns the clipboard node.
// A paste has always kept its target on the active-node stack, so a full
// stack is still refused, before the clipboard node is looked up, although
// the detached copy no longer needs the entry. Nothing changes when this
// throws, except that a clipboard naming a deleted node is emptied.
RavelinkChild* Ravelink::pasteSource() {
  if (refs_.clipboard.empty()) throw myException(Fault::kPasteClipboardEmpty);
  if (refs_.activeCount == kStackSize) throw myException(Fault::kPasteStackFull);
  RavelinkChild* source = findInTree(refs_.clipboard);
  if (source == nullptr) {
    refs_.clipboard = NodeRef();
    throw myException(Fault::kPasteInvalid);
  }
  // The target may be the source itself (pasting before or after itself,
  // or into itself), but not a node below it.
  if (current_ != source && isBelow(current_, source))
    throw myException(Fault::kPasteParentToChild);
  return source;
}

void Ravelink::pasteBefore() {
  RavelinkChild* source = pasteSource();
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  RavelinkChild* copy = copySubtree(source);
  current_->linkBefore(copy);
  noteLinked(copy);
  current_ = copy;
}

void Ravelink::pasteAfter() {
  RavelinkChild* source = pasteSource();
  if (isRoot()) throw myException(Fault::kAddRootHasNoBrother);
  RavelinkChild* copy = copySubtree(source);
  current_->linkAfter(copy);
  noteLinked(copy);
  current_ = copy;
}

void Ravelink::pasteAsChild() {
  RavelinkChild* copy = copySubtree(pasteSource());
  current_->linkAsLastChild(copy);
  noteLinked(copy);
}
