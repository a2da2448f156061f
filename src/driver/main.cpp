// ravelink: builds a tree of hyperlinks at a "-" prompt and publishes it as
// an HTML page when the user quits.
#include <unistd.h>

#include <iostream>
#include <new>

#include "base/fd_streambuf.h"
#include "base/signals.h"
#include "driver/program.h"
#include "shell/command_loop.h"
#include "shell/line_editor.h"
#include "shell/suspend_key.h"
#include "tree/edit_history.h"
#include "tree/ravelink.h"

namespace {

// A failed allocation ends the run: what standard output holds so far is
// passed on, then one line goes to standard error and the exit status is 1.
// The tree is lost (nothing is saved or published), but the console shows
// everything up to the command that ran out.
//
// Flushing std::cout does not allocate: its file buffer and the prompt-
// holding buffer's string exist already, and an allocation inside the
// prompt-holding buffer leaves its string whole while it fails. Should a
// flush ever allocate and fail, this handler runs again, finds `flushing`
// set and leaves at once. The message itself is written with write(2),
// which needs no memory.
[[noreturn]] void outOfMemory() {
  static bool flushing = false;
  if (!flushing) {
    flushing = true;
    std::cout.flush();
  }
  restoreSuspendKey();  // the terminal must stop the next program on Ctrl-Z
  static constexpr char kMessage[] = "ravelink: out of memory\n";
  ssize_t written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  static_cast<void>(written);  // nothing is left to do when even this fails
  _exit(1);
}

#ifdef RAVELINK_HAVE_LIBEDIT
// The run at a terminal: lines are typed through the line editor, and
// standard output holds back each unfinished line for the editor to show
// as its prompt.
int runEdited(int argc, char** argv) {
  PromptHoldingBuffer screen(*std::cout.rdbuf());
  std::streambuf* plain = std::cout.rdbuf(&screen);
  int status;
  {
    LineEditor editor(screen, commandWords());
    Console console(editor, std::cout, true);
    console.attachEditor(&editor);
    status = runProgram(argc - 1, argv + 1, console);
  }
  std::cout.flush();
  std::cout.rdbuf(plain);
  return status;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::set_new_handler(outOfMemory);
  std::ios::sync_with_stdio(false);
  Ravelink::leaveNodesToProcessExit();
  EditHistory::leaveNodesToProcessExit();
  bool interactive = sessionAtTerminal();
  // At a terminal Ctrl-C drops the line being typed; otherwise it stops the
  // run as SIGTERM does, saving the tree beside the page.
  installSignalHandlers(interactive);
#ifdef RAVELINK_HAVE_LIBEDIT
  if (interactive) return runEdited(argc, argv);
#endif
  FdStreamBuf input;
  input.attachForReading(STDIN_FILENO, readConsoleInput, &std::cout);
  Console console(input, std::cout, interactive);
  int status = runProgram(argc - 1, argv + 1, console);
  std::cout.flush();
  return status;
}
