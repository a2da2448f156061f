#ifndef RAVELINK_INTERCHANGE_FILE_IMPORT_H_
#define RAVELINK_INTERCHANGE_FILE_IMPORT_H_

#include <iosfwd>

#include "tree/ravelink.h"

// The import command's work: links from a browser's bookmark file, an OPML
// file, or a browser's own bookmarks (a Chromium-family Bookmarks file, a
// Firefox-family places.sqlite), merged into the tree, and a report of what
// was read and lost.

/// Reads the file in `in` (which must be able to seek back to where it is),
/// its format found from its content (OPML: XML whose root is "opml"; an
/// SQLite database; a JSON object with "roots"; else a bookmark file), and
/// merges its top-level folders and links, in file order, into the current
/// node (see import_merge.h: what is there already is not added again);
/// current stays.
/// When the tree is empty (the root has no children and no text), the root
/// takes the file's title. Then writes the report (ImportReport::print) to
/// `report`.
///
/// Builds the new nodes apart and links them in at the end, so a failure
/// changes nothing. Throws under "import": "unknown file format", "error
/// reading file", and for OPML "bad XML at line N" and "too deep at line N";
/// MissingLibrary when the build lacks the library of the file's reader.
void importLinks(Ravelink& tree, std::istream& in, std::ostream& report);

/// Imports the file named `fileName` as importLinks does; a database's
/// write-ahead log beside it (`fileName` with "-wal") is read with it.
/// Throws {"import",
/// "error opening file"}, changing nothing, when it cannot be opened or is
/// no regular file (a folder, a FIFO: see openRegularFile).
void importFile(Ravelink& tree, const char* fileName, std::ostream& report);

#endif  // RAVELINK_INTERCHANGE_FILE_IMPORT_H_
