// The find command: the next node whose text or href holds a text.
#include "shell/commands.h"

void findNodeCommand(Shell& shell) {
  shell.out() << "Find: ";
  ConsoleLine answer = readConsoleLine(shell.console, shell.line, Shell::kLineSize);
  // No text or href is longer than an href, so neither can hold a longer one.
  if (answer.length >= RavelinkChild::kHrefSize) throw myException(Fault::kFindNotFound);
  shell.tree.findNext(shell.line);
  shell.out() << shell.tree.pathTo(shell.tree.getCurrent()) << '\n';
}
