#ifndef RAVELINK_SHELL_LINE_KIND_H_
#define RAVELINK_SHELL_LINE_KIND_H_

/// What the lines typed next are, for a line editor at a terminal: command
/// lines get command completion and go into the history; a file name gets
/// file-name completion; the lines of a style table can also be ended with
/// Ctrl-Z, which types the byte 0x1A. Answers get none of it. The console
/// (shell/console.h) says which; the editor (shell/line_editor.h) acts on it.
enum class LineKind { kAnswer, kCommand, kFileName, kStyleTable };

#endif  // RAVELINK_SHELL_LINE_KIND_H_
