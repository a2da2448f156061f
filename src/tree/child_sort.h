#ifndef RAVELINK_TREE_CHILD_SORT_H_
#define RAVELINK_TREE_CHILD_SORT_H_

// The sort command: one folder's children in order.

#include <cstddef>

#include "tree/ravelink.h"

/// Orders the children of the current node: nodes with children first,
/// then the others, each group by text compared without regard to the case
/// of the ASCII letters and then byte by byte, equal texts in the order
/// they had. Only one level: the children's own children keep their order.
/// Returns how many children there are. Throws {"sort", "no child node"},
/// changing nothing, when there is none.
std::size_t sortChildren(Ravelink& tree);

#endif  // RAVELINK_TREE_CHILD_SORT_H_
