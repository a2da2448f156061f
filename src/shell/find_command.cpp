// The find command: the next node whose text or href holds a text.
#include "shell/commands.h"

void findNodeCommand(Shell& shell) {
  ask(shell, "Find: ", shell.line);
  shell.tree.findNext(shell.line);
  shell.out() << shell.tree.pathTo(shell.tree.getCurrent()) << '\n';
}
