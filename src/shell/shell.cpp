#include "shell/shell.h"

#include <vector>

#include "tree/text_field.h"

void ask(Shell& shell, const char* prompt, char* buffer, std::size_t field) {
  shell.out() << prompt;
  ConsoleLine line = readConsoleLine(shell.console, buffer, Shell::kLineSize);
  if (line.length > field) shell.out() << "Note: cut to " << field << " bytes.\n";
  storeField(buffer, field + 1, buffer);
}

bool askFileName(Shell& shell, std::string& name) {
  shell.out() << "File name: ";
  LineKindScope fileName(shell.console, LineKind::kFileName);
  std::vector<char> buffer(Shell::kMaxFileName + 2);
  ConsoleLine line = readConsoleLine(shell.console, buffer.data(), buffer.size());
  name.assign(buffer.data(), line.length > Shell::kMaxFileName ? 0 : line.length);
  return line.length <= Shell::kMaxFileName;
}

bool confirm(Shell& shell, const char* warning) {
  shell.out() << warning << "Are you sure? [Y/N] ";
  char reply[Shell::kLineSize];
  readConsoleLine(shell.console, reply, sizeof reply);
  return reply[0] == 'y' || reply[0] == 'Y';
}
