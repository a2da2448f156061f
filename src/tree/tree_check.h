#ifndef RAVELINK_TREE_TREE_CHECK_H_
#define RAVELINK_TREE_TREE_CHECK_H_

#include <string>

#include "tree/ravelink.h"

/// Checks the links of the whole tree (every child's parent, first children
/// without a previous sibling, next and previous links that agree, the last
/// child each parent keeps, a root without parent or siblings) and that the
/// current node is in the tree.
/// Returns an empty string when all holds, else what is wrong. Iterative and
/// linear; meant for tests and fuzzing.
std::string checkTree(const Ravelink& tree);

#endif  // RAVELINK_TREE_TREE_CHECK_H_
