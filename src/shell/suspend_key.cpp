#include "shell/suspend_key.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>

namespace {

// The key taken away, kept where an exit without unwinding still finds it.
volatile std::sig_atomic_t gTaken = 0;
cc_t gKey = 0;

// Only the one setting is written back: the line editor changes the
// terminal's other settings for each line, and those must stay its own.
bool setSuspendKey(cc_t key) {
  termios settings;
  if (::tcgetattr(STDIN_FILENO, &settings) != 0) return false;
  settings.c_cc[VSUSP] = key;
  return ::tcsetattr(STDIN_FILENO, TCSANOW, &settings) == 0;
}

}  // namespace

SuspendKeyOff::SuspendKeyOff(bool atTerminal) {
  termios settings;
  if (!atTerminal || gTaken != 0 || ::tcgetattr(STDIN_FILENO, &settings) != 0) return;
  gKey = settings.c_cc[VSUSP];
  if (gKey == _POSIX_VDISABLE) return;  // no key to take
  gTaken = 1;
  if (!setSuspendKey(_POSIX_VDISABLE)) {
    gTaken = 0;
    return;
  }
  taken_ = true;
}

SuspendKeyOff::~SuspendKeyOff() {
  if (taken_) restoreSuspendKey();
}

void restoreSuspendKey() noexcept {
  if (gTaken == 0) return;
  setSuspendKey(gKey);
  gTaken = 0;
}
