// Paste: a deep copy of the clipboard node before, after or below the current
// node.
//
// The copy is built as a detached subtree first and linked in at the end.
// Reading the whole source before anything is linked means that pasting a
// node into itself copies the subtree as it was, exactly once, and that a
// paste which fails (at the root, say) leaves nothing behind.
#include "tree/ravelink.h"

namespace {

RavelinkChild* newCopyOf(const RavelinkChild* source) {
  auto* node = new RavelinkChild;
  node->setText(source->getText());
  node->setHref(source->getHref());
  return node;
}

// Returns a deep copy of `source` and its subtree with no parent and no
// siblings. Walks the source in pre-order by its links, climbing by parent
// links and mirroring each climb in the copy, so neither the depth nor the
// length of a sibling chain is limited by the call stack. Linear in the
// size of the subtree.
RavelinkChild* copySubtree(const RavelinkChild* source) {
  RavelinkChild* top = newCopyOf(source);
  try {
    const RavelinkChild* from = source;
    RavelinkChild* to = top;
    for (;;) {
      if (from->getFirstChild() != nullptr) {
        from = from->getFirstChild();
        RavelinkChild* child = newCopyOf(from);
        child->setParent(to);
        to->setFirstChild(child);
        to = child;
        continue;
      }
      while (from != source && from->getNextSibling() == nullptr) {
        from = from->getParent();
        to = to->getParent();
      }
      if (from == source) return top;
      from = from->getNextSibling();
      RavelinkChild* next = newCopyOf(from);
      next->setParent(to->getParent());
      next->setPrevSibling(to);
      to->setNextSibling(next);
      to = next;
    }
  } catch (...) {
    RavelinkChild::destroyChain(top);
    throw;
  }
}

}  // namespace

void Ravelink::treePaste() { pasteSource(); }

// The checks of treePaste, in their order; returns the clipboard node.
// A paste has always kept its target on the active-node stack, so a full
// stack is still refused, before the clipboard node is looked up, although
// the detached copy no longer needs the entry. Nothing changes when this
// throws, except that a clipboard naming a deleted node is emptied.
RavelinkChild* Ravelink::pasteSource() {
  if (clipboard.empty()) throw myException(Fault::kPasteClipboardEmpty);
  if (activeCount == kStackSize) throw myException(Fault::kPasteStackFull);
  RavelinkChild* source = findInTree(clipboard);
  if (source == nullptr) {
    clipboard = NodeRef();
    throw myException(Fault::kPasteInvalid);
  }
  // The target may be the source itself (pasting before or after itself,
  // or into itself), but not a node below it.
  if (current != source && isBelow(current, source)) throw myException(Fault::kPasteParentToChild);
  return source;
}

bool Ravelink::isBelow(const RavelinkChild* node, const RavelinkChild* top) {
  for (const RavelinkChild* up = node->getParent(); up != nullptr; up = up->getParent()) {
    if (up == top) return true;
  }
  return false;
}

void Ravelink::pasteBefore() {
  RavelinkChild* source = pasteSource();
  RavelinkChild* target = current;
  if (target->getParent() == nullptr) throw myException(Fault::kAddRootHasNoBrother);
  RavelinkChild* copy = copySubtree(source);
  RavelinkChild* before = target->getPrevSibling();
  copy->setParent(target->getParent());
  copy->setPrevSibling(before);
  copy->setNextSibling(target);
  if (before != nullptr) {
    before->setNextSibling(copy);
  } else {
    target->getParent()->setFirstChild(copy);
  }
  target->setPrevSibling(copy);
  current = copy;
}

void Ravelink::pasteAfter() {
  RavelinkChild* source = pasteSource();
  RavelinkChild* target = current;
  if (target->getParent() == nullptr) throw myException(Fault::kAddRootHasNoBrother);
  RavelinkChild* copy = copySubtree(source);
  RavelinkChild* after = target->getNextSibling();
  copy->setParent(target->getParent());
  copy->setPrevSibling(target);
  copy->setNextSibling(after);
  if (after != nullptr) after->setPrevSibling(copy);
  target->setNextSibling(copy);
  current = copy;
}

void Ravelink::pasteAsChild() {
  RavelinkChild* source = pasteSource();
  RavelinkChild* target = current;
  RavelinkChild* copy = copySubtree(source);
  copy->setParent(target);
  RavelinkChild* last = target->getFirstChild();
  if (last == nullptr) {
    target->setFirstChild(copy);
    return;
  }
  while (last->getNextSibling() != nullptr)
    last = last->getNextSibling();
  copy->setPrevSibling(last);
  last->setNextSibling(copy);
}
