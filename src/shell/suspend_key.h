#ifndef RAVELINK_SHELL_SUSPEND_KEY_H_
#define RAVELINK_SHELL_SUSPEND_KEY_H_

/// While it lives, the terminal on standard input has no suspend key: Ctrl-Z
/// reaches the program as the byte 0x1A, which ends the input being read,
/// instead of stopping the program. Nothing changes when `atTerminal` is
/// false, when standard input is no terminal, or while another one lives.
/// The destructor gives the terminal its key back, also when a stop signal
/// or Ctrl-C unwinds the read; restoreSuspendKey() does it for an exit that
/// does not unwind.
class SuspendKeyOff {
 public:
  explicit SuspendKeyOff(bool atTerminal);
  ~SuspendKeyOff();
  SuspendKeyOff(const SuspendKeyOff&) = delete;
  SuspendKeyOff& operator=(const SuspendKeyOff&) = delete;

 private:
  bool taken_ = false;
};

/// Gives the terminal back the suspend key a SuspendKeyOff took, if one
/// did. Safe in a signal handler and right before _exit.
void restoreSuspendKey() noexcept;

#endif  // RAVELINK_SHELL_SUSPEND_KEY_H_
