// The export command: the whole tree into a file other programs read.
#include "shell/commands.h"
#include "treefiles/export_file.h"

void exportCommand(Shell& shell) {
  ask(shell, "File name: ", shell.line);
  treeExport(shell.tree, shell.line);
}
