#ifndef RAVELINK_TREEFILES_TREE_FILE_H_
#define RAVELINK_TREEFILES_TREE_FILE_H_

#include <iosfwd>
#include <string>

#include "tree/ravelink.h"
#include "treefiles/file_lines.h"

// The tree file: the program's own format. The root's record (a text line and
// an href line), then, for the nodes below it in pre-order, marker lines
// telling where the next record goes. See doc/file-formats.md.

/// The marker letters; on reading only a line's first byte counts.
inline constexpr char kChildMarker = 'c';   // a record follows: first child
inline constexpr char kNextMarker = 'n';    // a record follows: next sibling
inline constexpr char kParentMarker = 'p';  // up one level; at the root: end

/// Writes the whole tree to `out`, whatever the active-node stack holds.
/// Throws {"treeSave", "error writing file"} when `out` failed.
void writeTreeFile(const Ravelink& tree, std::ostream& out);

/// Replaces the tree with the one read from `stream`; the root ends current.
/// Starts with clearTree(), so the settings are reset. On failure it throws
/// under "treeLoad": "unexpected end-of-file", "unknown file info" (the
/// line after the root's record is not "c") or "unexpected file info" (a
/// later marker is not c, n or p); the nodes read so far then stay, and the
/// current node is where reading stopped. Reads nothing after the last "p".
void readTreeFile(Ravelink& tree, std::istream& stream);

/// Reads a record: a text line and an href line, without their control
/// bytes, each cut to its field (and before any NUL byte); the rest of a
/// long line is skipped. False when the file ends before either.
bool readNodeLines(FileLineReader& in, TextLines& lines);

/// Saves the tree as the file `fileName`, as writeTreeFile does. A failed
/// save leaves an existing file as it was. Throws under "treeSave": "active
/// node stack full" (tried before the file is touched), "error opening
/// file", "error writing file".
void treeSave(const Ravelink& tree, const char* fileName);

/// Loads the file `fileName` as readTreeFile does. Throws {"treeLoad",
/// "error opening file"}, changing nothing, when it cannot be opened or is
/// no regular file (openRegularFile).
void treeLoad(Ravelink& tree, const char* fileName);

#endif  // RAVELINK_TREEFILES_TREE_FILE_H_
