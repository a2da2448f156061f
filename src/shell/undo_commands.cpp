// Undo and redo: the steps of the tree's EditHistory (tree/edit_history.h).
#include <ostream>

#include "shell/commands.h"
#include "tree/edit_history.h"

void undoCommand(Shell& shell) {
  const char* word = shell.history != nullptr ? shell.history->undo() : nullptr;
  if (word == nullptr) throw myException(Fault::kUndoNothing);
  shell.out() << "Undone: " << word << ".\n";
}

void redoCommand(Shell& shell) {
  const char* word = shell.history != nullptr ? shell.history->redo() : nullptr;
  if (word == nullptr) throw myException(Fault::kRedoNothing);
  shell.out() << "Redone: " << word << ".\n";
}
