#include "shell/shell.h"

void ask(Shell& shell, const char* prompt, char* buffer) {
  shell.out() << prompt;
  readConsoleLine(shell.console, buffer, Shell::kLineSize);
}

bool confirm(Shell& shell, const char* warning) {
  shell.out() << warning << "Are you sure? [Y/N] ";
  char reply[Shell::kLineSize];
  readConsoleLine(shell.console, reply, sizeof reply);
  return reply[0] == 'y' || reply[0] == 'Y';
}
