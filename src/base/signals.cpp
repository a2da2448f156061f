#include "base/signals.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <initializer_list>

#include "base/idle_action.h"

namespace {

volatile std::sig_atomic_t gStopSignal = 0;
volatile std::sig_atomic_t gLineInterrupt = 0;
volatile std::sig_atomic_t gResized = 0;
volatile std::sig_atomic_t gContinued = 0;
bool gStopsHeld = false;

// The handlers only record the signal.
extern "C" void onStop(int signal) { gStopSignal = signal; }
extern "C" void onLineInterrupt(int /*signal*/) { gLineInterrupt = 1; }
extern "C" void onResize(int /*signal*/) { gResized = 1; }
extern "C" void onContinue(int /*signal*/) { gContinued = 1; }

void handle(int signal, void (*handler)(int), bool unlessIgnored) {
  struct sigaction action {};
  if (unlessIgnored && sigaction(signal, nullptr, &action) == 0 &&
      action.sa_handler == SIG_IGN) {
    return;
  }
  action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a waiting read returns with EINTR
  sigaction(signal, &action, nullptr);
}

bool flagRaised() { return gStopSignal != 0 || gLineInterrupt != 0; }

}  // namespace

void installSignalHandlers(bool ctrlCDropsLine) {
  handle(SIGTERM, onStop, false);
  handle(SIGHUP, onStop, true);
  handle(SIGINT, ctrlCDropsLine ? onLineInterrupt : onStop, true);
  std::signal(SIGPIPE, SIG_IGN);
}

void watchTerminal() {
  handle(SIGWINCH, onResize, false);
  handle(SIGCONT, onContinue, false);
}

int stopSignal() { return gStopSignal; }

void checkStop() {
  if (gStopSignal != 0 && !gStopsHeld) throw StopRequested{gStopSignal};
}

void holdStops() { gStopsHeld = true; }

bool lineInterruptPending() { return gLineInterrupt != 0; }

void clearLineInterrupt() { gLineInterrupt = 0; }

void throwIfSignalled() {
  if (gStopSignal != 0) throw StopRequested{gStopSignal};
  if (gLineInterrupt != 0) {
    gLineInterrupt = 0;
    throw LineInterrupted{};
  }
}

bool takeResized() {
  bool resized = gResized != 0;
  gResized = 0;
  return resized;
}

bool takeContinued() {
  bool continued = gContinued != 0;
  gContinued = 0;
  return continued;
}

ssize_t readUnlessSignalled(int fd, void* buffer, std::size_t size) {
  // The flags are looked at with the signals blocked, and ppoll unblocks them
  // only while it waits: a signal that comes between the look and the wait
  // still ends the wait.
  sigset_t watched;
  sigset_t previous;
  sigemptyset(&watched);
  for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGWINCH, SIGCONT}) sigaddset(&watched, signal);
  // At the command prompt the first part of the wait may end in the idle
  // action (base/idle_action.h), once; the wait then goes on without limit.
  int idleMs = idleWaitMs();
  for (;;) {
    pthread_sigmask(SIG_BLOCK, &watched, &previous);
    bool interrupted = flagRaised();
    bool idle = false;
    if (!interrupted) {
      pollfd input{fd, POLLIN, 0};
      timespec limit{idleMs / 1000, static_cast<long>(idleMs % 1000) * 1000000L};
      const int ready = ::ppoll(&input, 1, idleMs >= 0 ? &limit : nullptr, &previous);
      interrupted = ready < 0 && errno == EINTR;
      idle = ready == 0;
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (interrupted) {
      errno = EINTR;
      return -1;
    }
    if (!idle) return ::read(fd, buffer, size);
    runIdleAction();
    idleMs = -1;
  }
}
