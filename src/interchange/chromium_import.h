#ifndef RAVELINK_INTERCHANGE_CHROMIUM_IMPORT_H_
#define RAVELINK_INTERCHANGE_CHROMIUM_IMPORT_H_

#include <iosfwd>
#include <memory>

#include "interchange/imported_tree.h"

// The Bookmarks file of a Chromium-family browser's profile: JSON whose
// "roots" object holds "bookmark_bar", "other" and "synced", each a folder
// node; a node has "type" ("url" or "folder"), "name", and "url" or
// "children" (an array of nodes). Read with nlohmann-json's SAX parser,
// which keeps no document: the nodes are gathered as they come (a folder's
// name follows its children there) and imported at the end.

/// The deepest JSON nesting read; deeper throws. A folder takes two levels
/// (its object and its children array), so folders flatten at the import's
/// depth limit (kMaxImportedFolderLevel) long before this.
inline constexpr std::size_t kMaxJsonNesting = 10000;

/// Reads the Bookmarks file `in` into a new detached tree: the roots become
/// the folders "Bookmarks bar", "Other bookmarks" and "Mobile bookmarks",
/// in this order, each left out when empty. Throws under "import": "bad
/// JSON at byte N", "JSON nested too deep" (past kMaxJsonNesting), "unknown
/// file format" when there is no "roots" object, "error reading file".
std::unique_ptr<ImportRun> readChromiumBookmarks(std::istream& in);

#endif  // RAVELINK_INTERCHANGE_CHROMIUM_IMPORT_H_
