// The import command: links from a browser's bookmark file or an OPML file,
// appended below the current node. A build without the readers' library
// keeps the command; its row says so (format_libraries.h).
#include <string>

#include "interchange/file_import.h"
#include "interchange/format_libraries.h"
#include "shell/commands.h"

void importCommand(Shell& shell) {
  std::string name;
  // A name too long for the system is refused as one it refuses.
  if (!askFileName(shell, name)) throw myException(Fault::kImportOpen);
  try {
    importFile(shell.tree, name.c_str(), shell.out());
  } catch (const MissingLibrary& missing) {
    writeMissingLibrary(shell.out(), missing);
  }
}
