#ifndef RAVELINK_SHELL_SHELL_H_
#define RAVELINK_SHELL_SHELL_H_

#include <cstddef>
#include <ostream>
#include <string>

#include "shell/console.h"
#include "shell/word_case.h"
#include "tree/ravelink.h"

class EditHistory;

/// What a command sees: the tree, the console, and the loop's buffers. The
/// word reader still rests just after the command word, so a command may
/// take further words of its line (help takes its topic).
struct Shell {
  /// A line buffer: the 127 bytes of the longest field an answer goes into,
  /// the bytes after them that the UTF-8 cut rule looks at (storeField in
  /// tree/text_field.h), and the NUL.
  static constexpr int kLineSize = 128 + 4;
  /// The longest file name an answer may give, as the system counts it
  /// (PATH_MAX less its NUL).
  static constexpr std::size_t kMaxFileName = 4095;
  /// The longest href answer read whole; a longer line keeps this much.
  static constexpr std::size_t kLongestHref = 64 * 1024;

  Shell(Ravelink& t, Console& c, EditHistory* h = nullptr) : tree(t), console(c), history(h) {}

  Ravelink& tree;
  Console& console;
  EditHistory* history;  // the tree's undo history, or null: nothing to undo
  WordCase words;
  char line[kLineSize] = {};    // the command line, and most answers
  char word[kLineSize] = {};    // the command word
  char answer[kLineSize] = {};  // the href of the add commands
  bool quit = false;            // set by "quit": the loop ends after this line

  std::ostream& out() { return console.out(); }
};

// The dialogue helpers every command uses.

/// Writes `prompt` and reads one whole line into `buffer` (kLineSize bytes),
/// cut to the `field` bytes its field holds, never inside a UTF-8 sequence.
/// A longer answer gets the line "Note: cut to FIELD bytes." right after it;
/// the rest of its line is dropped, never read as input.
void ask(Shell& shell, const char* prompt, char* buffer, std::size_t field);
/// Writes `prompt` and reads an href into `buffer` (kLineSize bytes). The
/// answer is read whole (up to kLongestHref bytes). When `extra` bytes
/// (the prefix and suffix a new node's href gets, or 0) and a non-empty
/// answer together are longer than an href field holds, its tracking
/// parameters are removed (tree/tracking_parameters.h); when it then fits
/// it is kept whole, with the line "Note: tracking parameters removed to
/// fit 127 bytes.". Otherwise it is cut as ask() cuts it, with ask's note.
void askHref(Shell& shell, const char* prompt, char* buffer, std::size_t extra);
/// Writes "File name: " and reads the name whole into `name`. False, with
/// the rest of the line dropped, when it is longer than kMaxFileName.
bool askFileName(Shell& shell, std::string& name);
/// Writes `warning`, then "Are you sure? [Y/N] ", and reads the answer as
/// askYes does.
bool confirm(Shell& shell, const char* warning);
/// Writes `question` (ending in "[Y/N] ") and reads the answer: yes when it
/// begins with y or Y. From a pipe the next line answers.
bool askYes(Shell& shell, const std::string& question);

#endif  // RAVELINK_SHELL_SHELL_H_
