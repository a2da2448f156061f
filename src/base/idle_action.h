#ifndef RAVELINK_BASE_IDLE_ACTION_H_
#define RAVELINK_BASE_IDLE_ACTION_H_

// Work done while the user pauses at the command prompt. The driver
// registers an action (IdleAction); the console arms it only while it reads
// a command line (IdleWatch), so the action never runs while a command is
// under way. A read that waits (readUnlessSignalled in base/signals.h) and
// finds itself armed calls the action once, after the given time without a
// key, and then waits on for the key.
//
// Like the rest of this folder it knows no tree and no file: what the
// action does is the driver's business.

#include <chrono>
#include <functional>

/// For its life, `action` is what a waiting read calls after `after` of
/// waiting while armed. One at a time: a second one replaces the first until
/// it is destroyed.
class IdleAction {
 public:
  IdleAction(std::chrono::milliseconds after, std::function<void()> action);
  ~IdleAction();
  IdleAction(const IdleAction&) = delete;
  IdleAction& operator=(const IdleAction&) = delete;

 private:
  std::chrono::milliseconds previousAfter_;
  std::function<void()> previous_;
};

/// For its life, reads wait with the idle action armed.
class IdleWatch {
 public:
  IdleWatch();
  ~IdleWatch();
  IdleWatch(const IdleWatch&) = delete;
  IdleWatch& operator=(const IdleWatch&) = delete;

 private:
  bool wasArmed_;
};

/// How long a read that begins to wait now should wait before it calls
/// runIdleAction(), in milliseconds; -1 when it should not (nothing is
/// registered, or no IdleWatch is alive).
int idleWaitMs();

/// Calls the registered action. Whatever it throws is dropped here: the
/// read that calls it may sit inside the line editor's C code, which no
/// exception may cross. A stop signal that came meanwhile stays recorded,
/// and the read acts on it next.
void runIdleAction() noexcept;

#endif  // RAVELINK_BASE_IDLE_ACTION_H_
