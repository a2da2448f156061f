#include "driver/program.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/idle_action.h"
#include "base/signals.h"
#include "driver/auto_copy.h"
#include "driver/publish_page.h"
#include "driver/rescue_file.h"
#include "driver/unsaved_work_notice.h"
#include "page/template_files.h"
#include "shell/command_loop.h"
#include "tree/edit_history.h"
#include "tree/ravelink.h"
#include "treefiles/safe_replace.h"
#include "treefiles/tree_file.h"

namespace {

void writeUsage(std::ostream& out) {
  out << "Usage:\n"
      << "RAVELINK.EXE output_html_filename [output_framework_filename]\n"
      << "[default_page_filename]\n";
}

const char* signalName(int signal) {
  switch (signal) {
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    case SIGINT:
      return "SIGINT";
    default:
      return "a signal";
  }
}

// After a stop signal: writes the tree in the marker format to a new
// rescue file (driver/rescue_file.h), says where on standard error, and
// returns the exit status, 128 + the signal's number. The rescue file
// takes the place of the automatic copy, which then goes.
int rescueTree(const Ravelink& tree, const std::string& pageName, int signal,
               std::ostream& out, AutoCopy& autoCopy) {
  holdStops();  // the rescue itself must not be cut short
  out.flush();
  const std::string name = writeRescueFile(tree, pageName);
  std::cerr << "ravelink: stopped by " << signalName(signal) << "; the tree ";
  if (name.empty()) {
    std::cerr << "could not be saved in \"" << rescueName(pageName, 1) << "\"\n";
  } else {
    std::cerr << "is saved in \"" << name << "\"\n";
    autoCopy.remove();
  }
  return 128 + signal;
}

// Tells on standard error which templates none of the folders holds and
// where they were looked for, one line each, after what standard output
// holds so far.
void reportMissingTemplates(std::ostream& out) {
  const std::vector<std::string> missing = missingTemplates();
  if (missing.empty()) return;
  out.flush();
  for (const std::string& name : missing) std::cerr << notFoundLine(name) << '\n';
}

// The commands, then the page. At a terminal a page that cannot be written
// gives the prompt back, so the tree can still be saved; a quit right after
// such a failure ends the run with status 1.
int editAndPublish(Ravelink& tree, EditHistory& history, const FileNames& names,
                   Console& console, const CommandObserver& afterCommand) {
  std::ostream& out = console.out();
  bool failedBefore = false;
  for (;;) {
    const std::size_t linesRun = commandLoop(tree, console, afterCommand, &history);
    if (failedBefore && linesRun == 0) return 1;
    try {
      publishPage(names, tree);
      return 0;
    } catch (const myException& error) {
      printError(out, error);
      reportMissingTemplates(out);
      if (!console.interactive()) return 1;
    }
    out << "The tree is still here: save it, or quit again to leave without a page.\n";
    failedBefore = true;
  }
}

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

  FileNames names;
  names.page = args[0];
  if (argc >= 2) names.frameset = args[1];
  if (argc >= 3) names.defaultPage = args[2];
  // One file cannot be both pages: the second written would replace the first.
  if (!names.frameset.empty() && sameFile(names.page, names.frameset)) {
    writeUsage(out);
    return 1;
  }

  Ravelink tree;
  EditHistory history(tree);
  out << "The filename for output is \"" << names.page << "\".\n";
  if (argc >= 2) tree.settings().baseTarget.set("frame2");
  // At a terminal the tree is copied while the prompt waits, so that a
  // killed session can be taken up again; the copy exists only while the
  // tree has changes that are not saved. A script has its input to run
  // again and gets none of it.
  AutoCopy autoCopy(names.page);
  if (console.interactive()) {
    // Before the work rather than after it: the page needs the templates.
    reportMissingTemplates(out);
    announceUnsavedWork(autoCopy, names.page, out);
  }
  std::optional<IdleAction> copyWhenIdle;
  CommandObserver observe = afterCommand;
  if (autoCopy.active()) {
    copyWhenIdle.emplace(autoCopyWait(), [&] { autoCopy.writeIfChanged(tree, history); });
    observe = [&](const Ravelink& edited, EditHistory* seen) {
      autoCopy.removeIfSaved(history);
      if (afterCommand) afterCommand(edited, seen);
    };
  }

  int status;
  try {
    status = editAndPublish(tree, history, names, console, observe);
    checkStop();  // a stop that came while the page was finished
    autoCopy.remove();
  } catch (const StopRequested& stop) {
    status = rescueTree(tree, names.page, stop.signal, out, autoCopy);
  }
  out.flush();
  if (afterCommand) afterCommand(tree, &history);
  return status;
}
