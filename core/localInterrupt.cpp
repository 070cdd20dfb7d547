#include "core/localInterrupt.h"

#include <atomic>
#include <csignal>

#include "core/localTrace.h"

namespace {

std::atomic<bool> lineRunning{false};
static_assert(std::atomic<bool>::is_always_lock_free, "flags are touched from a signal handler");
std::uint64_t checksThisLine = 0;
std::atomic<std::atomic<bool>*> diverted{nullptr};
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free, "read from a signal handler");

}  // namespace

namespace localInterruptState {
std::atomic<bool> requested{false};
// Only the interpreter's own thread counts checks; the budget is off unless a harness sets it.
std::uint64_t checkBudget = 0;

bool countedCheck() {
  if (++checksThisLine >= checkBudget) localInterruptRequest();
  return requested.load(std::memory_order_relaxed);
}
}  // namespace localInterruptState

namespace {

using localInterruptState::checkBudget;
using localInterruptState::requested;

extern "C" void onInterrupt(int signalNumber) {
  if (!lineRunning.load()) {
    // Nothing to stop: leave as an interrupted program does.
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
    return;
  }
  if (std::atomic<bool>* target = diverted.load()) {
    target->store(true);
  } else {
    requested.store(true);
  }
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
  checksThisLine = 0;
  lineRunning.store(true);
}

void localInterruptLineEnds() {
  lineRunning.store(false);
  requested.store(false);
}

void localInterruptRequest() {
  if (lineRunning.load()) requested.store(true);
}

void localInterruptSetCheckBudget(std::uint64_t checks) { checkBudget = checks; }

void localInterruptReport(localReturnStateType& state, const char* operation, unsigned line) {
  localTrace(L"localErrorTypeCODE!!! выполнение прервано пользователем (Ctrl-C) func: ", operation, line);
  state = localErrorTypeCODE;
}

void localInterruptDivert(std::atomic<bool>* target) { diverted.store(target); }
