#include "tree/duplicate_links.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "tree/same_link.h"
#include "tree/tree_walk.h"

namespace {

// One node holding a link: the hash of its link's key and its place in
// tree order.
struct Holder {
  std::size_t hash;
  std::size_t order;
  const RavelinkChild* node;
};

}  // namespace

// The keys are hashed, not kept: a million hrefs cost 24 bytes each while
// they are sorted by hash, and only nodes whose hashes meet have their keys
// compared again.
std::vector<DuplicateGroup> findDuplicateLinks(const RavelinkChild* top) {
  std::vector<Holder> holders;
  std::string key;
  std::size_t order = 0;
  for (TreeWalk walk(top); walk.next();) {
    if (!walk.entering()) continue;
    linkKeyInto(key, walk.node()->getHref());
    if (!key.empty()) holders.push_back({std::hash<std::string>{}(key), order, walk.node()});
    ++order;
  }
  std::sort(holders.begin(), holders.end(), [](const Holder& a, const Holder& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.order < b.order;
  });

  std::vector<std::pair<std::size_t, DuplicateGroup>> groups;  // by the order of the first node
  std::string other;
  for (std::size_t run = 0; run < holders.size();) {
    std::size_t end = run + 1;
    while (end < holders.size() && holders[end].hash == holders[run].hash)
      ++end;
    if (end - run == 1) {  // the common case: a link held once
      run = end;
      continue;
    }
    // A run of one hash: almost always one link; nodes whose keys differ
    // (a collision) go to groups of their own, in tree order.
    std::vector<bool> taken(end - run, false);
    for (std::size_t first = run; first < end; ++first) {
      if (taken[first - run]) continue;
      linkKeyInto(key, holders[first].node->getHref());
      DuplicateGroup group;
      for (std::size_t i = first; i < end; ++i) {
        if (taken[i - run]) continue;
        if (i != first) {
          linkKeyInto(other, holders[i].node->getHref());
          if (other != key) continue;
        }
        taken[i - run] = true;
        group.nodes.push_back(holders[i].node);
      }
      if (group.nodes.size() > 1) groups.emplace_back(holders[first].order, std::move(group));
    }
    run = end;
  }
  std::sort(groups.begin(), groups.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<DuplicateGroup> result;
  result.reserve(groups.size());
  for (auto& entry : groups)
    result.push_back(std::move(entry.second));
  return result;
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
