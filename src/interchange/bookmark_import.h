#ifndef RAVELINK_INTERCHANGE_BOOKMARK_IMPORT_H_
#define RAVELINK_INTERCHANGE_BOOKMARK_IMPORT_H_

#include <iosfwd>
#include <memory>

#include "interchange/imported_tree.h"

// The bookmark file browsers write and read ("NETSCAPE-Bookmark-file-1"):
// HTML with folders as H3 headings, each followed by a DL list of its items,
// and links as A tags. Read with libxml2's HTML push parser through SAX
// callbacks, a piece at a time, so memory does not grow with the file.

/// Reads the bookmark file `in` (read twice: it must be able to seek back)
/// into a new detached tree:
/// - the encoding is the byte order mark's, else the declared charset's,
///   else UTF-8 when the bytes are valid UTF-8, else windows-1252;
/// - a heading (H3, or H2-H6, or an H1 after the first) names a folder; the
///   next DL opens it, its </DL> closes it; a DL without a heading keeps the
///   items where they are; an A is a link in the open folder; the first H1,
///   else the TITLE, is the file's title;
/// - an A with the attribute FOLDER_LINK sets its folder's href (see
///   ImportedTree::addFolderLink);
/// - separators (HR), descriptions (DD) and attributes other than HREF are
///   counted as dropped; the A tags in the raw bytes are counted as well, so
///   the report shows a part of the file the parser did not read.
/// Throws {"import", "error reading file"} when reading fails.
std::unique_ptr<ImportRun> readBookmarkFile(std::istream& in);

#endif  // RAVELINK_INTERCHANGE_BOOKMARK_IMPORT_H_
