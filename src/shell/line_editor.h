#ifndef RAVELINK_SHELL_LINE_EDITOR_H_
#define RAVELINK_SHELL_LINE_EDITOR_H_

// Line editing at a terminal. When standard input and standard output are
// both terminals, the console's input comes from a LineEditor, one edited
// line at a time (the line and its line feed), and standard output goes
// through a PromptHoldingBuffer, which keeps back the unfinished last line
// so that the editor can show it as its prompt and redraw it while the user
// edits. Everything above the console (line cutting, notes, single
// characters, the end of input) works on those bytes exactly as it does on
// a pipe. A pipe or a file never meets any of this.
//
// The editor is libedit; a build without it has PromptHoldingBuffer and
// completeCommandLine but no LineEditor (RAVELINK_HAVE_LIBEDIT undefined).

#include <cwchar>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "shell/completion.h"
#include "shell/line_kind.h"

/// An output buffer that passes whole lines on to `sink` and holds back the
/// text written since the last line feed, until a flush or takePrompt().
class PromptHoldingBuffer : public std::streambuf {
 public:
  explicit PromptHoldingBuffer(std::streambuf& sink) : sink_(sink) {}
  PromptHoldingBuffer(const PromptHoldingBuffer&) = delete;
  PromptHoldingBuffer& operator=(const PromptHoldingBuffer&) = delete;

  /// Passes every whole line on and flushes the sink; returns the held-back
  /// unfinished line (the prompt just written), which the caller now owns
  /// and must show itself.
  std::string takePrompt();

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  /// A flush passes everything on, the unfinished line included.
  int sync() override;

 private:
  /// Passes on `pending_` up to and including its last line feed.
  bool passWholeLines();

  std::streambuf& sink_;
  std::string pending_;
};


/// The words the tab key offers at the command prompt (commandWords() in
/// shell/command_loop.h gives them from the command table).
struct CompletionWords {
  std::vector<std::string> commands;   // the first word of a line
  std::vector<std::string> helpWords;  // first words after which a topic follows
  std::vector<std::string> topics;     // the second word after one of helpWords
};

/// Completes the word that ends at the cursor of a command line, given the
/// text before the cursor. The first word completes from words.commands;
/// the second word, after one of words.helpWords, from words.topics. Words
/// are split by nextWord (shell/word_case.h) and compared case-sensitively.
/// A single candidate is completed and followed by a blank; several give
/// their longest common beginning and the list of them; anywhere else, or
/// with no candidate, the result is empty.
Completion completeCommandLine(std::string_view beforeCursor, const CompletionWords& words);

struct editline;
struct history;

/// An input buffer filled from the terminal one edited line at a time. The
/// prompt shown is what `screen` holds back. The line feed of the line is
/// part of it; the end-of-file key on an empty line is the end of input for
/// the read in progress. Ctrl-C drops the line being typed and throws
/// LineInterrupted; a stop signal throws StopRequested (base/signals.h).
/// Command lines (setLineKind) get tab completion of command words and go
/// into the history; a file name gets tab completion of file names; in a
/// style table Ctrl-Z, which the terminal then leaves to the program
/// (shell/suspend_key.h), ends the line with the byte 0x1A. Answers get
/// none of it, and up/down have no lines to recall but at the command line.
class LineEditor : public std::streambuf {
 public:
  /// REQUIRES: standard input and standard output are terminals.
  LineEditor(PromptHoldingBuffer& screen, CompletionWords words);
  ~LineEditor() override;
  LineEditor(const LineEditor&) = delete;
  LineEditor& operator=(const LineEditor&) = delete;

  /// What the next lines typed are.
  void setLineKind(LineKind kind) { kind_ = kind; }

 protected:
  int_type underflow() override;

 private:
  static char* promptOf(editline* el);
  static unsigned char tabKey(editline* el, int key);
  static unsigned char endTableKey(editline* el, int key);
  /// The editor's key reader: one character, decoded in the terminal's
  /// encoding. Returns 1, 0 at the end of input, -1 when Ctrl-C or a stop
  /// signal came (see base/signals.h), which ends el_gets without a line.
  static int readKey(editline* el, wchar_t* key);
  unsigned char complete();

  PromptHoldingBuffer& screen_;
  CompletionWords words_;
  LineKind kind_ = LineKind::kAnswer;
  bool suspendKeyOff_ = false;  // the editor's suspend key is off since a style table
  std::string prompt_;
  std::string line_;
  editline* el_ = nullptr;
  history* commandHistory_ = nullptr;
  history* answerHistory_ = nullptr;  // always empty
};

#endif  // RAVELINK_SHELL_LINE_EDITOR_H_
