#ifndef RAVELINK_INTERCHANGE_BOOKMARK_FORMAT_H_
#define RAVELINK_INTERCHANGE_BOOKMARK_FORMAT_H_

// The bookmark file browsers exchange ("Netscape bookmark file"), as far as
// ravelink writes and reads it.
//
// A node with both an href and children cannot be one item of the format: a
// folder (H3) has no href. It is written as a folder whose first item is a
// link to the node's own href, with the node's text, marked with the
// attribute below; browsers ignore the attribute and keep the link, and
// `import` folds the marked link back into its folder. The root's href, if
// any, is such a marked link at the top level, before every other item.

/// The first line of every bookmark file.
inline constexpr char kBookmarkDoctype[] = "<!DOCTYPE NETSCAPE-Bookmark-file-1>";
/// The attribute that marks a folder's own link, and its value.
inline constexpr char kFolderLinkAttribute[] = "FOLDER_LINK";
inline constexpr char kFolderLinkValue[] = "true";

#endif  // RAVELINK_INTERCHANGE_BOOKMARK_FORMAT_H_
