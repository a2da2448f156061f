// The save and load commands. "save"/"savevcl" and "load"/"loadvcl" share a
// row each; the command word chooses the format.
#include <cstring>

#include "shell/commands.h"
#include "treefiles/outline_file.h"
#include "treefiles/tree_file.h"

namespace {
bool isOwnFormat(const Shell& shell, const char* word) {
  return std::strcmp(shell.word, word) == 0;
}
}  // namespace

void saveCommand(Shell& shell) {
  ask(shell, "File name: ", shell.line);
  if (isOwnFormat(shell, "save")) {
    treeSave(shell.tree, shell.line);
  } else {
    treeSaveVcl(shell.tree, shell.line);
  }
}

void loadCommand(Shell& shell) {
  if (!confirm(shell, "This action will delete the whole tree.\n")) return;
  ask(shell, "File name: ", shell.line);
  if (isOwnFormat(shell, "load")) {
    treeLoad(shell.tree, shell.line);
  } else {
    treeLoadVcl(shell.tree, shell.line, shell.out());
  }
}
