#ifndef RAVELINK_SHELL_COMMAND_LOOP_H_
#define RAVELINK_SHELL_COMMAND_LOOP_H_

#include <functional>
#include <string>
#include <vector>

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

  std::ostream& out() { return console.out(); }
};

/// Looks at the tree between commands; the fuzz targets check the links
/// with it. Whatever it throws ends the loop and passes on to the caller.
using CommandObserver = std::function<void(const Ravelink& tree)>;

/// Runs the command dialogue on `tree` until "quit" or the end of input.
/// Prompts "-", reads a line, runs the command of its first word and shows
/// any myException it throws as "Error of NAME: MESSAGE". Calls
/// `afterCommand`, when given, after every line read at the prompt but
/// "quit": a command done, failed or refused, a bad word, an empty line.
void commandLoop(Ravelink& tree, Console& console, const CommandObserver& afterCommand = nullptr);

/// The words of the command table, in table order ("quit" is not a row).
/// The line editor completes them; they are also the help topics, but "?".
std::vector<std::string> commandWords();

#endif  // RAVELINK_SHELL_COMMAND_LOOP_H_
