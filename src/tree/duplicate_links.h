#ifndef RAVELINK_TREE_DUPLICATE_LINKS_H_
#define RAVELINK_TREE_DUPLICATE_LINKS_H_

// The dupes command: the same link filed more than once (tree/same_link.h
// tells when two hrefs are one link).

#include <cstddef>
#include <vector>

#include "tree/ravelink.h"

/// The nodes holding one link, in tree order; the first holds it first.
struct DuplicateGroup {
  std::vector<const RavelinkChild*> nodes;
};

/// Every link held by more than one node of the subtree of `top`, in the
/// tree order of their first nodes. Linear in the subtree (one hash of each
/// href).
std::vector<DuplicateGroup> findDuplicateLinks(const RavelinkChild* top);

/// Whether dupes may delete `node`, a later copy: not when it has children.
inline bool deletableCopy(const RavelinkChild* node) { return node->getFirstChild() == nullptr; }

/// Deletes the nodes of each group but the first that deletableCopy allows,
/// and returns how many. The current node stays current: it is the top of
/// the subtree searched, so it is the first of its group if in one.
std::size_t deleteLaterCopies(Ravelink& tree, const std::vector<DuplicateGroup>& groups);

#endif  // RAVELINK_TREE_DUPLICATE_LINKS_H_
