// Caring for a collection: the same link filed twice, and a folder in order.
#include <ostream>
#include <string>

#include "base/counts.h"
#include "shell/commands.h"
#include "tree/child_sort.h"
#include "tree/duplicate_links.h"

// Lists every link the subtree of the current node holds more than once,
// each with the paths of its nodes, and offers to delete the later copies
// (those without children; a copy with children is kept and says so).
void dupesCommand(Shell& shell) {
  const std::vector<DuplicateGroup> groups = findDuplicateLinks(shell.tree.getCurrent());
  if (groups.empty()) {
    shell.out() << "No link is filed twice.\n";
    return;
  }
  std::size_t nodes = 0;
  std::size_t deletable = 0;
  std::string path;  // reused: dupes may print a million paths
  for (const DuplicateGroup& group : groups) {
    shell.out() << group.nodes.front()->getHref() << '\n';
    for (std::size_t i = 0; i < group.nodes.size(); ++i) {
      path.clear();
      Ravelink::appendPathTo(path, group.nodes[i]);
      shell.out() << "  " << path;
      if (i > 0 && !deletableCopy(group.nodes[i])) shell.out() << " (kept: it has children)";
      shell.out() << '\n';
      if (i > 0 && deletableCopy(group.nodes[i])) ++deletable;
    }
    nodes += group.nodes.size();
  }
  shell.out() << countOf(groups.size(), "link", "links") << ' '
              << formFor(groups.size(), "is", "are") << " filed more than once ("
              << countOf(nodes, "node", "nodes") << ").\n";
  if (deletable == 0 || !askYes(shell, "Delete the later copies? [Y/N] ")) return;
  const std::size_t deleted = deleteLaterCopies(shell.tree, groups);
  shell.out() << "Deleted " << countOf(deleted, "copy", "copies") << ".\n";
}

void sortCommand(Shell& shell) {
  const std::size_t sorted = sortChildren(shell.tree);
  shell.out() << "Sorted " << countOf(sorted, "node", "nodes") << ".\n";
}
