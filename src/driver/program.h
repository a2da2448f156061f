#ifndef RAVELINK_DRIVER_PROGRAM_H_
#define RAVELINK_DRIVER_PROGRAM_H_

#include "shell/command_loop.h"
#include "shell/console.h"

/// One whole run: examines the arguments, runs the command shell on a new
/// tree and then publishes the page. `args` are the arguments after the
/// program name. Returns the exit status: 0 after a normal run, 1 after the
/// usage text or a failed page generation. `afterCommand`, when given, sees
/// the tree after every command (see commandLoop) and once more after the
/// page was written or failed.
int runProgram(int argc, const char* const* args, Console& console,
               const CommandObserver& afterCommand = nullptr);

#endif  // RAVELINK_DRIVER_PROGRAM_H_
