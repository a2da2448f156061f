// PENDING: help (being built).
#include "shell/commands.h"
void helpCommand(Shell&) {}
