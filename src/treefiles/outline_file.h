#ifndef RAVELINK_TREEFILES_OUTLINE_FILE_H_
#define RAVELINK_TREEFILES_OUTLINE_FILE_H_

#include <cstdint>
#include <iosfwd>
#include <string>

#include "tree/ravelink.h"
#include "treefiles/file_lines.h"

// The outline file: every node in pre-order as two lines, its text and its
// href, each indented by as many tabs as the node is deep (the root 0).
// See doc/file-formats.md.

/// The tab that indents an outline line; only tabs at a line's start count.
inline constexpr char kIndentTab = '\t';
/// What readVclNodeLines returns at the end of the file.
inline constexpr std::int64_t kOutlineEnd = -1;

/// Writes the whole tree to `out` as an outline, whatever the active-node
/// stack holds. Throws {"treeSave", "error writing file"} when `out` failed.
void writeVclFile(const Ravelink& tree, std::ostream& out);

/// Replaces the tree with the outline read from `stream`; the root ends current.
/// Starts with clearTree(). The shape comes from the depth differences of
/// consecutive records: deeper makes a child of the record before, equal or
/// shallower climbs that many levels and adds a next sibling. On failure the
/// nodes read so far stay and the current node is where reading stopped:
///   {"treeLoad", "unexpected end-of-file"}: fewer than two lines;
///   "errA" on `console`, then {"treeLoad", "unknown file info"}: the record
///     after the root's has depth 0;
///   "errB" on `console`, then the same: a record whose two lines have
///     different indentation;
///   {"treeBrowse", "no parent node"} and {"addTreeNode", "root node has no
///     brother"}: a record that climbs past the root or to it.
void readVclFile(Ravelink& tree, std::istream& stream, std::ostream& console);

/// Reads a record: the text line and the href line. Returns their
/// indentation (the tabs that begin each) and sets `lines.text` and
/// `lines.href` to what follows it, without control bytes and cut to their
/// fields (and before any NUL byte), or returns kOutlineEnd when the file
/// ends before either line (`lines` then holds nothing of use). When the two
/// lines are indented differently, writes "errB" on `console` and throws
/// {"treeLoad", "unknown file info"}.
std::int64_t readVclNodeLines(FileLineReader& in, TextLines& lines, std::ostream& console);

/// Saves the tree as the outline file `fileName`; fails as treeSave does.
void treeSaveVcl(const Ravelink& tree, const char* fileName);

/// Loads the outline file `fileName` as readVclFile does. Throws {"treeLoad",
/// "error opening file"}, changing nothing, when it cannot be opened or is
/// no regular file (openRegularFile).
void treeLoadVcl(Ravelink& tree, const char* fileName, std::ostream& console);

#endif  // RAVELINK_TREEFILES_OUTLINE_FILE_H_
