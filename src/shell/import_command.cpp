// The import command: links from a browser's bookmark file or an OPML file,
// appended below the current node. Needs libxml2; a build without it keeps
// the command and says so.
#include <ostream>

#include "shell/commands.h"
#ifdef RAVELINK_HAVE_LIBXML2
#include "interchange/file_import.h"
#endif

void importCommand(Shell& shell) {
#ifdef RAVELINK_HAVE_LIBXML2
  ask(shell, "File name: ", shell.line);
  importFile(shell.tree, shell.line, shell.out());
#else
  shell.out() << "This build has no import: it was built without libxml2.\n";
#endif
}
