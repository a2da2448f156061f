#include "interchange/import_merge.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "tree/same_link.h"

namespace {

bool isFolder(const RavelinkChild* node) {
  return node->getFirstChild() != nullptr || node->getHref()[0] == '\0';
}

// The children a folder held before the import, by link key and by text.
class ExistingChildren {
 public:
  explicit ExistingChildren(const RavelinkChild* folder) {
    for (const RavelinkChild* child = folder->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
      std::string key = linkKey(child->getHref());
      if (!key.empty()) keys_.insert(std::move(key));
      if (isFolder(child)) folders_[child->getText()].list.push_back(child);
    }
  }

  bool holdsLink(const std::string& key) const { return keys_.count(key) != 0; }

  /// The folder an incoming folder merges into, or nullptr.
  const RavelinkChild* folderFor(const RavelinkChild* incoming) {
    if (folders_.empty()) return nullptr;
    auto found = folders_.find(incoming->getText());
    if (found == folders_.end()) return nullptr;
    Folders& same = found->second;
    if (same.used == same.list.size()) return nullptr;
    const RavelinkChild* existing = same.list[same.used++];
    if (incoming->getHref()[0] != '\0' &&
        linkKey(incoming->getHref()) != linkKey(existing->getHref())) {
      return nullptr;
    }
    return existing;
  }

 private:
  struct Folders {
    std::vector<const RavelinkChild*> list;
    std::size_t used = 0;  // incoming folders of this text so far
  };
  std::unordered_set<std::string> keys_;
  std::unordered_map<std::string, Folders> folders_;
};

}  // namespace

void mergeImported(Ravelink& tree, RavelinkChild* holder,
                   const std::unordered_set<const RavelinkChild*>& madeFolders,
                   ImportReport& report) {
  auto uncount = [&](const RavelinkChild* node) {
    --(madeFolders.count(node) != 0 ? report.folders : report.links);
  };
  struct Work {
    const RavelinkChild* target;  // in the tree
    RavelinkChild* from;          // detached: its children go into target
  };
  const RavelinkChild* home = tree.getCurrent();
  std::vector<Work> work{{home, holder}};
  std::vector<RavelinkChild*> emptied;  // incoming folders merged, destroyed at the end
  while (!work.empty()) {
    Work next = work.back();
    work.pop_back();
    ExistingChildren existing(next.target);
    tree.gotoNode(next.target);
    while (RavelinkChild* item = next.from->getFirstChild()) {
      item->unlink();
      if (isFolder(item)) {
        if (const RavelinkChild* into = existing.folderFor(item)) {
          uncount(item);
          work.push_back({into, item});
          emptied.push_back(item);
          continue;
        }
      } else if (existing.holdsLink(linkKey(item->getHref()))) {
        uncount(item);
        ++report.alreadyHere;
        RavelinkChild::destroyChain(item);
        continue;
      }
      tree.linkAsLastChildOfCurrent(item);
    }
  }
  tree.gotoNode(home);
  for (RavelinkChild* folder : emptied)
    RavelinkChild::destroyChain(folder);
}
