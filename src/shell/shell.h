#ifndef RAVELINK_SHELL_SHELL_H_
#define RAVELINK_SHELL_SHELL_H_

#include <ostream>

#include "shell/console.h"
#include "shell/word_case.h"
#include "tree/ravelink.h"

/// What a command sees: the tree, the console, and the loop's buffers. The
/// word reader still rests just after the command word, so a command may
/// take further words of its line (help takes its topic).
struct Shell {
  static constexpr int kLineSize = 128;

  Shell(Ravelink& t, Console& c) : tree(t), console(c) {}

  Ravelink& tree;
  Console& console;
  WordCase words;
  char line[kLineSize] = {};    // the command line, and most answers
  char word[kLineSize] = {};    // the command word
  char answer[kLineSize] = {};  // the href of the add commands
  bool quit = false;            // set by "quit": the loop ends after this line

  std::ostream& out() { return console.out(); }
};

// The dialogue helpers every command uses.

/// Writes `prompt` and reads one whole line (at most 127 bytes) into `buffer`.
void ask(Shell& shell, const char* prompt, char* buffer);
/// Writes `warning`, then "Are you sure? [Y/N] ", and reads the answer: yes
/// when it begins with y or Y.
bool confirm(Shell& shell, const char* warning);

#endif  // RAVELINK_SHELL_SHELL_H_
