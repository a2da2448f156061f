// The save and load commands. "save"/"savevcl" and "load"/"loadvcl" share a
// row each; the command word chooses the format. Each that succeeds marks
// the tree as saved in the undo history, which the quit question and the
// automatic copy go by.
#include <cstring>
#include <string>

#include "shell/commands.h"
#include "tree/edit_history.h"
#include "treefiles/outline_file.h"
#include "treefiles/tree_file.h"
#include "treefiles/unsaved_work_names.h"

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
  if (shell.history != nullptr) shell.history->markSaved();
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
  // A load is one step: the mark counts for the tree the step leaves. The
  // program's own rescue files and automatic copies hold work the user never
  // saved, and it stays unsaved when loaded from them.
  if (shell.history == nullptr) return;
  if (namesUnsavedWork(name)) {
    shell.history->markUnsaved();
  } else {
    shell.history->markSaved();
  }
}
