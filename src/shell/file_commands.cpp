// The save and load commands. "save"/"savevcl" and "load"/"loadvcl" share a
// row each; the command word chooses the format.
#include <cstring>
#include <string>

#include "shell/commands.h"
#include "treefiles/outline_file.h"
#include "treefiles/tree_file.h"

namespace {
bool isOwnFormat(const Shell& shell, const char* word) {
  return std::strcmp(shell.word, word) == 0;
}
}  // namespace

// A name too long for the system is refused as one it refuses.
void saveCommand(Shell& shell) {
  std::string name;
  if (!askFileName(shell, name)) throw myException(Fault::kSaveOpen);
  if (isOwnFormat(shell, "save")) {
    treeSave(shell.tree, name.c_str());
  } else {
    treeSaveVcl(shell.tree, name.c_str());
  }
}

void loadCommand(Shell& shell) {
  if (!confirm(shell, "This action will delete the whole tree.\n")) return;
  std::string name;
  if (!askFileName(shell, name)) throw myException(Fault::kLoadOpen);
  if (isOwnFormat(shell, "load")) {
    treeLoad(shell.tree, name.c_str());
  } else {
    treeLoadVcl(shell.tree, name.c_str(), shell.out());
  }
}
