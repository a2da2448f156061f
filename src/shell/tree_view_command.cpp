// The view command: the tree on the whole screen, at a terminal.
#include "shell/commands.h"
#include "view/view_screen.h"

void viewCommand(Shell& shell) {
  if (!haveFullScreenView()) {
    shell.out() << "This build has no full-screen view.\n";
    return;
  }
  // The console knows whether a person types; the view checks the rest.
  if (!shell.console.interactive()) throw myException(Fault::kViewNeedsTerminal);
  shell.out().flush();  // the screen must hold everything written so far
  const RavelinkChild* chosen = runFullScreenView(shell.tree);
  if (chosen != nullptr) shell.tree.gotoNode(chosen);
}
