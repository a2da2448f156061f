#include "tree/duplicate_links.h"

#include <string>
#include <unordered_map>

#include "tree/same_link.h"
#include "tree/tree_walk.h"

std::vector<DuplicateGroup> findDuplicateLinks(const RavelinkChild* top) {
  std::vector<DuplicateGroup> groups;  // one for every link, in order of appearance
  std::unordered_map<std::string, std::size_t> groupOf;
  for (TreeWalk walk(top); walk.next();) {
    if (!walk.entering()) continue;
    std::string key = linkKey(walk.node()->getHref());
    if (key.empty()) continue;
    auto [found, added] = groupOf.try_emplace(std::move(key), groups.size());
    if (added) groups.emplace_back();
    groups[found->second].nodes.push_back(walk.node());
  }
  std::erase_if(groups, [](const DuplicateGroup& group) { return group.nodes.size() < 2; });
  return groups;
}

std::size_t deleteLaterCopies(Ravelink& tree, const std::vector<DuplicateGroup>& groups) {
  const RavelinkChild* current = tree.getCurrent();
  std::size_t deleted = 0;
  for (const DuplicateGroup& group : groups) {
    for (std::size_t i = 1; i < group.nodes.size(); ++i) {
      if (!deletableCopy(group.nodes[i])) continue;
      tree.gotoNode(group.nodes[i]);
      tree.deleteTreeNode();
      ++deleted;
    }
  }
  tree.gotoNode(current);
  return deleted;
}
