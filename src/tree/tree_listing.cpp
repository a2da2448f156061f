// The tree listing: one line per node, indented by drawn branches.
#include <cstdint>
#include <ostream>
#include <string>

#include "tree/ravelink.h"

namespace {

constexpr int kPageLines = 24;

// Branch in front of a node, by whether it has a next sibling.
constexpr const char* kBranchMore = "+--";
constexpr const char* kBranchLast = "\\--";
// Column for an ancestor, by whether that ancestor has a next sibling.
constexpr const char* kColumnMore = "|  ";
constexpr const char* kColumnLast = "   ";

}  // namespace

// The walk moves the cursor itself, pre-order, without recursion. The
// column of every ancestor below the root is kept in `columns` (one flag per
// depth, '|' when that ancestor has a next sibling), so any depth is drawn.
void Ravelink::showTree(std::ostream& out, const std::function<bool()>& morePause) {
  CursorSave saved(*this, Fault::kShowTreeStackFull);
  std::int64_t lines = 0;
  // Ends the line just drawn; false when the user stops at the paging prompt.
  auto endLine = [&]() {
    if (checkActiveNode()) out << '*';
    out << '\n' << std::flush;
    ++lines;
    return lines % kPageLines != 0 || morePause();
  };

  gotoRoot();
  out << getCurrentText();
  if (!endLine() || !hasChild()) return;

  std::string columns;
  browseFirstChild();
  for (;;) {
    for (char column : columns) out << (column == '|' ? kColumnMore : kColumnLast);
    out << (hasNext() ? kBranchMore : kBranchLast) << getCurrentText();
    if (!endLine()) return;
    if (hasChild()) {
      columns.push_back(hasNext() ? '|' : ' ');
      browseFirstChild();
      continue;
    }
    while (!hasNext()) {
      browseParent();
      if (isRoot()) return;
      columns.pop_back();
    }
    browseNext();
  }
}
