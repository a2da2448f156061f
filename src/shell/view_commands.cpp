// Commands that show the whole tree.
#include "shell/commands.h"

void listCommand(Shell& shell) {
  shell.tree.showTree(shell.out(), [&shell] { return morePause(shell.console); });
}

void sampleCommand(Shell& shell) {
  if (!confirm(shell, "This action will delete the whole tree.\n")) return;
  shell.tree.buildSample(shell.out());
  listCommand(shell);
}
