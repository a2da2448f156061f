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

/// True when `node` names the current node or a node anywhere below it. A
/// stale reference is told in constant time and never followed; a live one
/// climbs from its node towards the root (cost: its depth).
bool containsNode(const Ravelink& tree, NodeRef node);

/// Whether the top entry of the active-node stack names the current node.
/// Throws {"checkActiveNode", "active node stack empty"}.
bool checkActiveNode(const Ravelink& tree);

#endif  // RAVELINK_TREE_TREE_CHECK_H_
