#ifndef RAVELINK_INTERCHANGE_PLACES_IMPORT_H_
#define RAVELINK_INTERCHANGE_PLACES_IMPORT_H_

#include <iosfwd>
#include <memory>

#include "interchange/imported_tree.h"

// The places.sqlite of a Firefox-family browser's profile, read with
// SQLite's own library. moz_bookmarks holds folders (type 2), bookmarks (1,
// their URL in the moz_places row named by fk) and separators (3), each
// under its parent at its position; the roots are known by their guids.
//
// The browser keeps the database open under an exclusive lock, and recent
// changes may still be only in its write-ahead log places.sqlite-wal. So
// the bytes are copied into a private temporary folder (mode 0700), the
// copy is opened, and the folder is removed afterwards: the browser's files
// are only ever read.

/// Reads the database `database` and, when given, its write-ahead log
/// `log`, both read from where they stand, into a new detached tree: the
/// roots become the folders "Bookmarks Menu", "Bookmarks Toolbar", "Other
/// Bookmarks" and "Mobile Bookmarks", in this order, each left out when
/// empty; the tags root is left out (its bookmarks are counted as dropped
/// tags). A bookmark without a title takes its place's. Throws under
/// "import": "unreadable bookmark database" (not a database, no bookmark
/// tables, corrupt), "folders form a cycle", "error reading file".
std::unique_ptr<ImportRun> readPlacesDatabase(std::istream& database, std::istream* log);

#endif  // RAVELINK_INTERCHANGE_PLACES_IMPORT_H_
