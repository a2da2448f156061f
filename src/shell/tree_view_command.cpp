// The view command: the tree on the whole screen, at a terminal.
#include "shell/commands.h"
#include "view/view_screen.h"

void viewCommand(Shell& shell) {
  // The console knows whether the session is at a terminal; the view checks
  // the rest. A build without the view never comes here (its row names the
  // missing library).
  if (!shell.console.interactive()) throw myException(Fault::kViewNeedsTerminal);
  shell.out().flush();  // the screen must hold everything written so far
  const RavelinkChild* chosen = runFullScreenView(shell.tree);
  if (chosen != nullptr) shell.tree.gotoNode(chosen);
}
