#include "base/idle_action.h"

#include <utility>

namespace {

std::chrono::milliseconds gAfter{0};
std::function<void()> gAction;
bool gArmed = false;

}  // namespace

IdleAction::IdleAction(std::chrono::milliseconds after, std::function<void()> action)
    : previousAfter_(gAfter), previous_(std::move(gAction)) {
  gAfter = after;
  gAction = std::move(action);
}

IdleAction::~IdleAction() {
  gAfter = previousAfter_;
  gAction = std::move(previous_);
}

IdleWatch::IdleWatch() : wasArmed_(gArmed) { gArmed = true; }

IdleWatch::~IdleWatch() { gArmed = wasArmed_; }

int idleWaitMs() {
  if (!gArmed || !gAction) return -1;
  return static_cast<int>(gAfter.count());
}

void runIdleAction() noexcept {
  if (!gAction) return;
  try {
    gAction();
  } catch (...) {
    // Nothing to report at a prompt: the action's work is a convenience,
    // and the next pause tries again.
  }
}
