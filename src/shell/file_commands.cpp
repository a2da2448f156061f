// PENDING: tree files (being built).
#include "shell/commands.h"
void saveCommand(Shell&) {}
void loadCommand(Shell&) {}
