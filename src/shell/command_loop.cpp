#include "shell/command_loop.h"

#include "base/signals.h"
#include "shell/command_table.h"
#include "shell/commands.h"
#include "tree/edit_history.h"

CompletionWords commandWords() {
  CompletionWords words;
  for (const CommandRow& row : commandTable()) {
    for (std::size_t i = 0; i < CommandRow::kMaxWords; ++i) {
      if (row.words[i] == nullptr) continue;
      words.commands.emplace_back(row.words[i]);
      if (row.run == helpCommand) words.helpWords.emplace_back(row.words[i]);
      if (row.topics[i] != nullptr) words.topics.emplace_back(row.words[i]);
    }
  }
  return words;
}

void quitCommand(Shell& shell) { shell.quit = true; }

namespace {

// Whether the run may end now. At a terminal, a tree with changes since it
// was last saved or loaded asks first; only a yes, or the end of input at
// the question, lets it end. A script is never asked: what it sees stays
// as it always was.
bool mayEnd(Shell& shell) {
  if (!shell.console.interactive() || shell.history == nullptr || !shell.history->changed()) {
    return true;
  }
  shell.out() << "The tree has changes that are not saved. Quit anyway? [Y/N] ";
  char reply[Shell::kLineSize];
  if (!readConsoleLine(shell.console, reply, sizeof reply)) return true;
  return reply[0] == 'y' || reply[0] == 'Y';
}

// Reads one command line and runs it. False at the end of input or after
// "quit", when the run may end.
bool runLine(Shell& shell) {
  shell.out() << '-';
  // The end of input at the prompt ends the run as "quit" does.
  if (!readCommandLine(shell.console, shell.line, sizeof shell.line)) return !mayEnd(shell);
  shell.words.wCaseInputStr(shell.line);
  try {
    shell.words.wCaseOutputStr(shell.word);
  } catch (const myException&) {
    // A line without a word: nothing to run.
  }
  if (const CommandRow* row = findCommand(shell.word)) {
    try {
      runStep(shell, *row);
    } catch (const myException& error) {
      printError(shell.out(), error);
    }
    if (shell.quit) {
      shell.quit = false;
      if (mayEnd(shell)) return false;
    }
  } else if (shell.word[0] != '\0') {
    shell.out() << "Bad command\n";
  }
  return true;
}

}  // namespace

std::size_t commandLoop(Ravelink& tree, Console& console, const CommandObserver& afterCommand,
                        EditHistory* history) {
  Shell shell{tree, console, history};
  for (std::size_t linesRun = 0;; ++linesRun) {
    // A Ctrl-C pressed while a command worked is forgotten; one pressed
    // from the prompt on drops the line, and the command it was typed for.
    clearLineInterrupt();
    try {
      if (!runLine(shell)) return linesRun;
    } catch (const LineInterrupted&) {
      shell.out() << '\n';
    }
    if (afterCommand) afterCommand(tree, history);
  }
}
