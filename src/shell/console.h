#ifndef RAVELINK_SHELL_CONSOLE_H_
#define RAVELINK_SHELL_CONSOLE_H_

#include <sys/types.h>

#include <cstddef>
#include <ostream>
#include <streambuf>

class LineEditor;

#include "shell/line_kind.h"

/// The console: the bytes the user types and the stream everything is
/// written to. Input is read as text (tree/text_rules.h): carriage returns
/// are dropped wherever they stand, and a byte 0x1A ends the input like the
/// end of a file.
///
/// This is the one place that knows whether a person types at a terminal
/// (sessionAtTerminal, below, passed in as `interactive`). At a terminal the
/// end-of-file key ends only the read in progress; from a pipe or a file the
/// end of input stays for good. When a line editor fills the input
/// (shell/line_editor.h), the console tells it which reads are command lines.
class Console {
 public:
  static constexpr int kEnd = -1;

  Console(std::streambuf& in, std::ostream& out, bool interactive);

  /// The next byte (0 to 255), or kEnd at the end of input.
  int getChar();
  /// The next byte without taking it, or kEnd.
  int peekChar();
  /// Drops what is left of the current input line, its line feed included.
  /// This ends the read in progress: at a terminal, an end of input met
  /// here lets later reads wait for new typing (see resumeAfterEnd).
  void discardLine();
  /// Whether the last read met the end of input.
  bool atEnd() const { return ended_; }
  /// After the end-of-file key at a terminal, lets later reads wait for new
  /// typing. Does nothing for a pipe or a file, where the end is for good.
  void resumeAfterEnd();
  /// After a read that a byte 0x1A ended: reading goes on after that byte.
  /// From a pipe or a file the rest of its line is dropped (a further 0x1A
  /// there ends the input again); at a terminal only a line feed right
  /// after it, never waiting for one. Otherwise as resumeAfterEnd.
  void resumeAfterEndByte();
  bool interactive() const { return interactive_; }
  /// The editor that fills the input at a terminal, or null.
  void attachEditor(LineEditor* editor) { editor_ = editor; }
  /// Tells the editor, if any, what the next lines typed are.
  void setLineKind(LineKind kind);

  std::ostream& out() { return out_; }

 private:
  std::streambuf& in_;
  std::ostream& out_;
  bool interactive_;
  bool ended_ = false;
  bool endedAtByte_ = false;  // the end met was a byte 0x1A
  LineEditor* editor_ = nullptr;
};

/// Whether this run is at a terminal: standard input and standard output are
/// both terminals. Decided at the first call and the same for the whole run.
/// Everything that acts differently at a terminal (Ctrl-C, the end-of-file
/// key, line editing, status lines, the full-screen view) follows this one
/// answer, through Console::interactive() once a console exists.
bool sessionAtTerminal();

/// For its life the lines typed at the console are of one kind; answers
/// again after it, also when a read throws.
class LineKindScope {
 public:
  LineKindScope(Console& console, LineKind kind) : console_(console) {
    console_.setLineKind(kind);
  }
  ~LineKindScope() { console_.setLineKind(LineKind::kAnswer); }
  LineKindScope(const LineKindScope&) = delete;
  LineKindScope& operator=(const LineKindScope&) = delete;

 private:
  Console& console_;
};

/// What readConsoleLine read. True when there was a line.
struct ConsoleLine {
  bool got = false;         // false: the input was at its end before any byte
  std::size_t length = 0;   // the whole line's bytes, however many were kept
  explicit operator bool() const { return got; }
};

/// Reads one whole line of console input, to its line feed or the end of
/// input, and keeps its first capacity - 1 bytes (capacity at least 1) in
/// `buffer`, NUL-terminated, without the line feed. The rest of a longer
/// line is read and dropped in constant memory: it is never what a later
/// read returns. `length` tells how long the line was, so a caller can say
/// that it was cut. At a terminal the end of input ends only this read.
ConsoleLine readConsoleLine(Console& console, char* buffer, std::size_t capacity);

/// Reads the line typed at the command prompt, as readConsoleLine does. At
/// a terminal with a line editor the line goes into the history and tab
/// completes command words. While it waits, the idle action, if one is
/// registered (base/idle_action.h), is armed.
ConsoleLine readCommandLine(Console& console, char* buffer, std::size_t capacity);

/// The paging prompt: writes "-- MORE -- enter 'A' to abort: ", reads an
/// answer and returns false when it begins with a or A.
bool morePause(Console& console);

/// Reads standard input for the console, as read(2) does, after waiting for
/// typing in a way no signal slips past: when a stop signal or a Ctrl-C
/// comes it throws StopRequested or LineInterrupted (base/signals.h). For
/// FdStreamBuf (base/fd_streambuf.h), which fills the console's input.
ssize_t readConsoleInput(int fd, void* buffer, std::size_t size);

#endif  // RAVELINK_SHELL_CONSOLE_H_
