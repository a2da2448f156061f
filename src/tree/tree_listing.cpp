// The tree listing: one line per node, indented by drawn branches.
#include <cstdint>
#include <ostream>
#include <string>

#include "tree/ravelink.h"
#include "tree/tree_walk.h"

namespace {

constexpr int kPageLines = 24;

// Branch in front of a node, by whether it has a next sibling.
constexpr const char* kBranchMore = "+--";
constexpr const char* kBranchLast = "\\--";
// Column for an ancestor, by whether that ancestor has a next sibling.
constexpr const char* kColumnMore = "|  ";
constexpr const char* kColumnLast = "   ";

}  // namespace

// One line per node in pre-order. The column of every ancestor below the
// root is kept in `columns` (one flag per depth, '|' when that ancestor has a
// next sibling), so any depth is drawn.
void Ravelink::showTree(std::ostream& out, const std::function<bool()>& morePause) const {
  if (isStackFull()) throw myException(Fault::kShowTreeStackFull);
  std::int64_t lines = 0;
  std::string columns;
  for (TreeWalk walk(root_); walk.next();) {
    const RavelinkChild* node = walk.node();
    if (!walk.entering()) {
      if (node->getFirstChild() != nullptr && node != root_) columns.pop_back();
      continue;
    }
    if (node != root_) {
      for (char column : columns) out << (column == '|' ? kColumnMore : kColumnLast);
      out << (node->getNextSibling() != nullptr ? kBranchMore : kBranchLast);
    }
    out << node->getText();
    if (node == current_) out << '*';
    out << '\n';
    ++lines;
    // Shown a page at a time: every line is out before the pause asks.
    if (lines % kPageLines == 0) {
      out.flush();
      if (!morePause()) return;
    }
    if (node->getFirstChild() != nullptr && node != root_) {
      columns.push_back(node->getNextSibling() != nullptr ? '|' : ' ');
    }
  }
  out.flush();
}
