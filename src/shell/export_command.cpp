// The export command: the whole tree into a file other programs read.
#include <string>

#include "shell/commands.h"
#include "interchange/export_file.h"

void exportCommand(Shell& shell) {
  std::string name;
  // A name too long for the system is refused as one it refuses.
  if (!askFileName(shell, name)) throw myException("export", "error opening file");
  treeExport(shell.tree, name.c_str());
}
