#ifndef RAVELINK_INTERCHANGE_EXPORT_FILE_H_
#define RAVELINK_INTERCHANGE_EXPORT_FILE_H_

#include <cstdint>
#include <iosfwd>

#include "tree/ravelink.h"

// Exporting the whole tree into the formats other programs read: the
// bookmark file of browsers, OPML for outliners and feed readers, and a
// Markdown list. Each writer walks the tree once with TreeWalk (no
// recursion, so any depth is written), writes texts and hrefs as
// exportText() gives them (UTF-8, no control bytes) and throws
// {"export", "error writing file"} when `out` failed. None moves the cursor.

enum class ExportFormat { kBookmarks, kOpml, kMarkdown, kUnknown };

/// The format that the ending of `fileName` names, compared without case:
/// ".html" and ".htm" a bookmark file, ".opml" OPML, ".md" Markdown.
ExportFormat exportFormatOf(const char* fileName);

/// Indentation grows with the depth up to this many levels and then stays,
/// so a tree 100,000 levels deep gives a file of linear size, not gigabytes
/// of spaces. Nothing that reads these files looks at the indentation.
inline constexpr std::int64_t kMaxIndentLevels = 32;

/// A Markdown list nests only by indentation, so its size grows with the
/// square of the depth; a deeper tree is refused with {"export", "too deep
/// for Markdown"} before anything is written.
inline constexpr std::int64_t kMaxMarkdownDepth = 1000;

/// The bookmark file in the layout browsers write: the DOCTYPE line, the
/// comment, a UTF-8 charset META, TITLE and H1 with the root's text, then
/// one item per line in DL lists, upper-case tags, four spaces per level. A
/// node with children or without an href is a folder (H3 and a DL); a node
/// with an href and no children a link (A HREF). See bookmark_format.h for
/// a node with both and for the root's href. Texts and hrefs have & < > "
/// and ' replaced by entities: valid HTML, and exactly the five that the
/// simplest importer, Chromium's line-by-line one, decodes.
void writeBookmarkFile(const Ravelink& tree, std::ostream& out);

/// OPML 2.0, written with libxml2's xmlTextWriter: head/title is the root's
/// text; every other node is an outline with `text`, and with type="link"
/// and `url` when it has an href; children nest. The root's href, if any,
/// is a first top-level link outline with the root's text, marked
/// FOLDER_LINK="true" (folder_link.h). Throws {"export", "too deep for
/// OPML"}, writing nothing, for a tree deeper than kMaxOpmlDepth
/// (opml_format.h), the depth our import reads back. Built only with
/// libxml2 (see format_libraries.h).
void writeOpmlFile(const Ravelink& tree, std::ostream& out);

/// A Markdown list: the root as a level-one heading ("# text", or a link),
/// left out when it has neither text nor href; then every other node as
/// "- [text](href)" or "- text", two spaces per level. Markdown's special
/// characters are escaped so that a renderer shows the text as typed and
/// links to the href as stored (a space in an href is written %20, < and >
/// as %3C and %3E). Throws {"export", "too deep for Markdown"} for a tree
/// deeper than kMaxMarkdownDepth.
void writeMarkdownList(const Ravelink& tree, std::ostream& out);

/// Writes the whole tree to `fileName` in the format its ending names,
/// through writeFileSafely: the file is replaced whole or left as it was.
/// Throws, writing nothing, {"export", "use .html, .htm, .opml or .md"} for
/// another ending, MissingLibrary for OPML in a build without libxml2; and {"export", "error
/// opening file"} or {"export", "error writing file"} as a save does.
void treeExport(const Ravelink& tree, const char* fileName);

#endif  // RAVELINK_INTERCHANGE_EXPORT_FILE_H_
