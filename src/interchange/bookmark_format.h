#ifndef RAVELINK_INTERCHANGE_BOOKMARK_FORMAT_H_
#define RAVELINK_INTERCHANGE_BOOKMARK_FORMAT_H_

#include "interchange/folder_link.h"

// The bookmark file browsers exchange ("Netscape bookmark file"), as far as
// ravelink writes (export_bookmarks.cpp) and reads (bookmark_import.cpp) it.
// Both sides take the names below from here, so that what one writes the
// other reads back.
//
// A node with both an href and children cannot be one item of the format: a
// folder (H3) has no href. It is written as a folder whose first item is a
// link to the node's own href, with the node's text, marked with the
// attribute below; browsers ignore the attribute and keep the link, and
// `import` folds the marked link back into its folder. The root's href, if
// any, is such a marked link at the top level, before every other item.
//
// Names are written in upper case, as browsers write them; a reader compares
// them without case (the HTML parser hands them over in lower case).

/// The first line of every bookmark file; a reader recognises the file by
/// it, in any letter case.
inline constexpr char kBookmarkDoctype[] = "<!DOCTYPE NETSCAPE-Bookmark-file-1>";

/// The elements: a list of items, one item, a folder's heading, a link.
inline constexpr char kBookmarkList[] = "DL";
inline constexpr char kBookmarkItem[] = "DT";
inline constexpr char kBookmarkFolder[] = "H3";
inline constexpr char kBookmarkLink[] = "A";
/// A link's address.
inline constexpr char kBookmarkHref[] = "HREF";

/// The attribute that marks a folder's own link, and its value, are
/// kFolderLinkAttribute and kFolderLinkValue of folder_link.h.

#endif  // RAVELINK_INTERCHANGE_BOOKMARK_FORMAT_H_
