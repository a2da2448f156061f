#ifndef RAVELINK_DRIVER_PROGRAM_H_
#define RAVELINK_DRIVER_PROGRAM_H_

#include "shell/command_loop.h"
#include "shell/console.h"

/// One whole run: examines the arguments, runs the command shell on a new
/// tree and then publishes the page (driver/publish_page.h). `args` are the
/// arguments after the program name. Returns the exit status: 0 after a
/// normal run, 1 after the usage text (also when the page and the frameset
/// page name one file) or a failed page generation, 128 + the signal's
/// number after a stop signal (base/signals.h), when the tree is saved as
/// PAGE.rescue.tree and one line on standard error says so.
///
/// At a terminal (an interactive console) a page that cannot be written
/// gives the prompt back after the error and one line saying so; a "quit"
/// or end of input right after that ends the run with status 1.
///
/// At a terminal the run also keeps an automatic copy of a changed tree
/// while the prompt waits (driver/auto_copy.h), and at its start names the
/// unsaved work a killed or stopped run of the page left
/// (driver/unsaved_work_notice.h). The copy goes when the tree is saved,
/// when the run ends, and when a rescue file holds the tree instead.
///
/// `afterCommand`, when given, sees
/// the tree after every command (see commandLoop) and once more after the
/// page was written or failed.
int runProgram(int argc, const char* const* args, Console& console,
               const CommandObserver& afterCommand = nullptr);

#endif  // RAVELINK_DRIVER_PROGRAM_H_
