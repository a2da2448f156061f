#include "driver/program.h"

#include <cstring>
#include <string>

#include "page/page_writer.h"
#include "shell/command_loop.h"
#include "tree/ravelink.h"

namespace {

void writeUsage(std::ostream& out) {
  out << "Usage:\n"
      << "RAVELINK.EXE output_html_filename [output_framework_filename]\n"
      << "[default_page_filename]\n";
}

/// The three file names of a run, held whole and used exactly as typed.
struct FileNames {
  std::string page;
  std::string frameset;     // empty: no frameset page
  std::string defaultPage;  // empty: the frameset's second frame is left as is
};

}  // namespace

int runProgram(int argc, const char* const* args, Console& console,
               const CommandObserver& afterCommand) {
  std::ostream& out = console.out();
  if (argc == 0) {
    writeUsage(out);
    return 1;
  }
  if (argc == 1 && (std::strcmp(args[0], "--help") == 0 || std::strcmp(args[0], "-h") == 0)) {
    writeUsage(out);
    out << "Type \"help\" at the - prompt for the list of commands.\n";
    return 0;
  }
  if (argc == 1 && std::strcmp(args[0], "--version") == 0) {
    out << "ravelink " << RAVELINK_VERSION << '\n';
    return 0;
  }

  Ravelink tree;
  FileNames names;
  out << "The filename for output is \"" << args[0] << "\".\n";
  names.page = args[0];
  if (argc >= 2) {
    tree.setBaseTarget("frame2");
    names.frameset = args[1];
  }
  if (argc >= 3) names.defaultPage = args[2];

  commandLoop(tree, console, afterCommand);
  int status = 0;
  try {
    generateOutput(names.page, names.frameset, names.defaultPage, tree);
  } catch (const myException& error) {
    printError(out, error);
    status = 1;
  }
  out.flush();
  if (afterCommand) afterCommand(tree);
  return status;
}
