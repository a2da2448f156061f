// The import command: links from a browser's bookmark file or an OPML file,
// appended below the current node. Needs libxml2; a build without it keeps
// the command and says so.
#include <ostream>
#include <string>

#include "shell/commands.h"
#ifdef RAVELINK_HAVE_LIBXML2
#include "interchange/file_import.h"
#endif

void importCommand(Shell& shell) {
#ifdef RAVELINK_HAVE_LIBXML2
  std::string name;
  // A name too long for the system is refused as one it refuses.
  if (!askFileName(shell, name)) throw myException(Fault::kImportOpen);
  importFile(shell.tree, name.c_str(), shell.out());
#else
  shell.out() << "This build has no import: it was built without libxml2.\n";
#endif
}
