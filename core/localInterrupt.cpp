#include "core/localInterrupt.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> lineRunning{false};
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "flags are touched from a signal handler");

extern "C" void onInterrupt(int signalNumber) {
  if (!lineRunning.load()) {
    // Nothing to stop: leave as an interrupted program does.
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
    return;
  }
  requested.store(true);
}

}  // namespace

void localInterruptInstall() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

void localInterruptLineStarts() {
  requested.store(false);
  lineRunning.store(true);
}

void localInterruptLineEnds() {
  lineRunning.store(false);
  requested.store(false);
}

bool localInterruptRequested() { return requested.load(); }
