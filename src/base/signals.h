#ifndef RAVELINK_BASE_SIGNALS_H_
#define RAVELINK_BASE_SIGNALS_H_

// Signals reach the program only as flags: a handler records its signal and
// returns, and the work is done where the flags are looked at. A read that
// waits for typing looks at them before and while it waits, so a signal at a
// prompt acts at once; long writes look at them between pieces.
//
// - A stop signal (SIGTERM, SIGHUP, and SIGINT when the run is not at a
//   terminal)
//   ends the run: reads and long writes throw StopRequested, and the driver
//   saves the tree beside the page and exits with 128 + the signal number.
// - Ctrl-C at a terminal (SIGINT) drops the line being typed: the read
//   throws LineInterrupted, and the command loop shows a new prompt.
//
// This folder is the lowest layer: it knows no tree, no file and no console.

#include <sys/types.h>

#include <cstddef>

/// Thrown where a stop signal cuts work short.
struct StopRequested {
  int signal;
};

/// Thrown by a read at a terminal when Ctrl-C dropped the line being typed.
struct LineInterrupted {};

/// Installs the handlers, without SA_RESTART so that a waiting read returns,
/// and ignores SIGPIPE (output nobody reads is dropped, the run goes on).
/// With `ctrlCDropsLine` (the run is at a terminal) SIGINT drops the typed line;
/// otherwise it stops the run. SIGINT and SIGHUP keep being ignored when they
/// were ignored at start (nohup, a script's background job).
void installSignalHandlers(bool ctrlCDropsLine);

/// The stop signal received so far, or 0.
int stopSignal();
/// Throws StopRequested when a stop signal came, unless stops are held.
void checkStop();
/// From this call on checkStop() never throws: the rescue of the tree,
/// written after a stop, must run to its end.
void holdStops();

/// Whether a Ctrl-C came that no read has acted on yet.
bool lineInterruptPending();
/// Forgets a Ctrl-C that came while nothing was being typed.
void clearLineInterrupt();
/// Throws StopRequested for a stop signal (held or not), else
/// LineInterrupted, clearing it, for a Ctrl-C. Does nothing when neither came.
void throwIfSignalled();

/// For the line editor: records a change of the terminal's size and the
/// continuing after a stop (Ctrl-Z), so that it can redraw.
void watchTerminal();
/// Whether the terminal changed size, or the program was continued, since the
/// last call; each clears its flag.
bool takeResized();
bool takeContinued();

/// Reads up to `size` bytes from `fd` as read(2) does, after waiting for
/// input in a way no signal can slip past: returns -1 with errno EINTR,
/// having read nothing, when a stop signal or a Ctrl-C is pending or comes
/// while it waits. Other signals (a resize) also return -1 with EINTR.
/// While an idle action is armed (base/idle_action.h) it calls that action
/// once when the input has kept it waiting for the action's time.
ssize_t readUnlessSignalled(int fd, void* buffer, std::size_t size);

#endif  // RAVELINK_BASE_SIGNALS_H_
