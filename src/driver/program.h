#ifndef RAVELINK_DRIVER_PROGRAM_H_
#define RAVELINK_DRIVER_PROGRAM_H_

#include "shell/console.h"

/// One whole run: examines the arguments, runs the command shell on a new
/// tree and then publishes the page. `args` are the arguments after the
/// program name. Returns the exit status: 0 after a normal run, 1 after the
/// usage text or a failed page generation.
int runProgram(int argc, const char* const* args, Console& console);

#endif  // RAVELINK_DRIVER_PROGRAM_H_
