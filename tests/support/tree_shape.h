#ifndef RAVELINK_TESTS_SUPPORT_TREE_SHAPE_H_
#define RAVELINK_TESTS_SUPPORT_TREE_SHAPE_H_

#include <string>

#include "tree/ravelink.h"

/// Draws the tree as text: each node's text, "*" behind the current node,
/// its children in parentheses, separated by commas: "R(a,b*(c),d)".
/// Also checks every link (parent, previous, next, first child) and returns
/// "BROKEN: ..." when one is inconsistent, so a shape test catches dangling
/// links as well as misplaced nodes and cursors.
std::string treeShape(const Ravelink& tree);

/// Builds the tree described in the notation of treeShape (no "*"), below
/// the current node's position: "R(a,b(c),d)" sets the root's text to R and
/// adds the rest. The root ends current. Texts may not hold "(", ")" or ",".
void buildShape(Ravelink& tree, const std::string& shape);

/// Makes the node reached by `path` current: from the root, each character
/// is a browse, 'c' to the first child and 'n' to the next sibling.
void go(Ravelink& tree, const std::string& path);

/// Checks an error record's operation name and message.
#define EXPECT_ERROR(statement, func, msg)                            \
  do {                                                                \
    try {                                                             \
      statement;                                                      \
      ADD_FAILURE() << "no error from " #statement;                   \
    } catch (const myException& error) {                              \
      EXPECT_STREQ(func, error.getFuncName());                        \
      EXPECT_STREQ(msg, error.getMessage());                          \
    }                                                                 \
  } while (0)

#endif  // RAVELINK_TESTS_SUPPORT_TREE_SHAPE_H_
