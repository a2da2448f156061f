// The two working places and the move between them.
//
// A working place is a pair: the place (the parent of the remembered node,
// or the root) and the point (the remembered node). Both are NodeRefs: they
// are looked up before use and emptied, one at a time, when a goto does not
// find them.
#include "tree/ravelink.h"

void Ravelink::setWorkPlace(int k) {
  refs_.workPlace[k - 1] = NodeRef(isRoot() ? root_ : current_->getParent());
  refs_.workPoint[k - 1] = NodeRef(current_);
}

void Ravelink::treeGotoWorkPlc(int k) { gotoWorkPlace(k, 0); }

void Ravelink::gotoWorkPlace(int k, int firstIndex) {
  const int index = k - 1;
  // The follow-up: leaving the children of a place moves its point to the
  // node the user leaves, so coming back returns there. It stays in force
  // even when the goto below fails.
  if (!isRoot()) {
    for (int i : {firstIndex, 1 - firstIndex}) {
      if (refs_.workPlace[i].names(current_->getParent())) {
        refs_.workPoint[i] = NodeRef(current_);
        break;
      }
    }
  }
  RavelinkChild* place = findInTree(refs_.workPlace[index]);
  if (place == nullptr) {
    refs_.workPlace[index] = NodeRef();
    throw myException(Fault::kGotoPlaceNotFound);
  }
  // A place set while the root was current names the root as its point too.
  if (refs_.workPoint[index].names(place)) {
    current_ = place;
    return;
  }
  // The point is valid while it lives and is still a child of the place.
  RavelinkChild* point = findInTree(refs_.workPoint[index]);
  if (point != nullptr && point->getParent() == place) {
    current_ = point;
    return;
  }
  refs_.workPoint[index] = NodeRef();
  throw myException(Fault::kGotoPointNotFound);
}

void Ravelink::move12() {
  treeGotoWorkPlc(1);
  copyCurrent();
  treeGotoWorkPlc(2);  // the follow-up sets point 1 again to the node to move
  pasteAfter();
  // The copy's parent is place 2, so the follow-up of the next goto makes
  // point 2 name the copy. When both places are one node, place 1 would
  // match first, point 1 would name the copy and the delete would remove the
  // copy instead of the original; comparing place 2 first keeps the move.
  const bool samePlace = refs_.workPlace[0] == refs_.workPlace[1];
  gotoWorkPlace(1, samePlace ? 1 : 0);
  deleteTreeNode();
}
