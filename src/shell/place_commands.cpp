// Commands of the active-node stack, the clipboard and the working places.
#include "shell/commands.h"

void pushCommand(Shell& shell) { shell.tree.pushActiveNode(); }
void popCommand(Shell& shell) { shell.tree.popActiveNode(); }
void copyCommand(Shell& shell) { shell.tree.copyCurrent(); }
void pasteBeforeCommand(Shell& shell) { shell.tree.pasteBefore(); }
void pasteAfterCommand(Shell& shell) { shell.tree.pasteAfter(); }
void pasteChildCommand(Shell& shell) { shell.tree.pasteAsChild(); }
void setWorkPlace1Command(Shell& shell) { shell.tree.setWorkPlace(1); }
void setWorkPlace2Command(Shell& shell) { shell.tree.setWorkPlace(2); }
void gotoWorkPlace1Command(Shell& shell) { shell.tree.treeGotoWorkPlc(1); }
void gotoWorkPlace2Command(Shell& shell) { shell.tree.treeGotoWorkPlc(2); }
void move12Command(Shell& shell) { shell.tree.move12(); }
