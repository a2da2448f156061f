// The export command: the whole tree into a file other programs read.
#include <string>

#include "interchange/export_file.h"
#include "interchange/format_libraries.h"
#include "shell/commands.h"

void exportCommand(Shell& shell) {
  std::string name;
  // A name too long for the system is refused as one it refuses.
  if (!askFileName(shell, name)) throw myException("export", "error opening file");
  try {
    treeExport(shell.tree, name.c_str());
  } catch (const MissingLibrary& missing) {
    writeMissingLibrary(shell.out(), missing);
  }
}
