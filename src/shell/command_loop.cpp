#include "shell/command_loop.h"

#include "shell/command_table.h"
#include "shell/commands.h"

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

void commandLoop(Ravelink& tree, Console& console, const CommandObserver& afterCommand) {
  Shell shell{tree, console};
  for (;;) {
    shell.out() << '-';
    // The end of input at the prompt ends the run as "quit" does.
    if (!readCommandLine(console, shell.line, sizeof shell.line)) return;
    shell.words.wCaseInputStr(shell.line);
    try {
      shell.words.wCaseOutputStr(shell.word);
    } catch (const myException&) {
      // A line without a word: nothing to run.
    }
    if (const CommandRow* row = findCommand(shell.word)) {
      try {
        runCommand(shell, *row);
      } catch (const myException& error) {
        printError(shell.out(), error);
      }
      if (shell.quit) return;
    } else if (shell.word[0] != '\0') {
      shell.out() << "Bad command\n";
    }
    if (afterCommand) afterCommand(tree);
  }
}
