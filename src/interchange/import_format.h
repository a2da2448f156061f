#ifndef RAVELINK_INTERCHANGE_IMPORT_FORMAT_H_
#define RAVELINK_INTERCHANGE_IMPORT_FORMAT_H_

#include <string_view>

// Which reader a file calls for, from its first bytes (after any byte order
// mark, in UTF-8). Apart from the readers, so that a build without their
// library still knows the format it cannot read.

/// True when `head` is XML whose root element is "opml" (after the XML
/// declaration, comments, processing instructions and a DOCTYPE).
bool looksLikeOpml(std::string_view head);

/// True when `head` looks like a bookmark file: the DOCTYPE line, or a DT,
/// DL or H3 tag, in any letter case.
bool looksLikeBookmarkFile(std::string_view head);

/// True when `head` is a JSON object with a "roots" member: a
/// Chromium-family browser's Bookmarks file.
bool looksLikeChromiumBookmarks(std::string_view head);

/// True when `head` begins as every SQLite database does.
bool looksLikeSqliteDatabase(std::string_view head);

#endif  // RAVELINK_INTERCHANGE_IMPORT_FORMAT_H_
