#ifndef RAVELINK_INTERCHANGE_BROWSER_TREE_H_
#define RAVELINK_INTERCHANGE_BROWSER_TREE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "interchange/imported_tree.h"

// The bookmarks a browser keeps in its own files, as its readers gather
// them before anything is imported: a folder's name may come after its
// children there, and the roots in any order. Then they go into an import,
// root by root, in the order the browser shows them.

struct BrowserItem {
  enum class Kind : std::uint8_t { kFolder, kLink, kSeparator };
  Kind kind = Kind::kFolder;
  std::string title;
  std::string href;
  std::vector<std::uint32_t> children;  // indexes into the items, in order
};

/// A root of the browser's bookmarks and the text its folder gets.
struct BrowserRoot {
  std::uint32_t item;
  const char* text;
};

/// Adds each root as a top-level folder of `run`, named by its text, with
/// everything below it, and leaves it out when nothing was added to it: links and folders
/// through ImportedTree's rules (a link without a title is named by them),
/// separators counted as dropped. A folder reached twice (the items form a
/// cycle) throws {"import", "folders form a cycle"}. No recursion.
void importBrowserRoots(const std::vector<BrowserItem>& items,
                        const std::vector<BrowserRoot>& roots, ImportRun& run);

#endif  // RAVELINK_INTERCHANGE_BROWSER_TREE_H_
