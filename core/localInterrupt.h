#pragma once
#include <atomic>
#include <cstdint>

#include "core/localReturnStateType.h"

// Ctrl-C while a console line runs asks the running program to stop: its loops notice
// the request at their next pass and fail, and the console goes on with the next prompt,
// its variables intact. Ctrl-C at the prompt ends the session as it always did.
void localInterruptInstall();
void localInterruptLineStarts();
void localInterruptLineEnds();
// Asked at every pass of a loop: inline, and without the budget's counting unless a
// harness set one.
namespace localInterruptState {
extern std::atomic<bool> requested;
extern std::uint64_t checkBudget;
bool countedCheck();
}  // namespace localInterruptState
[[gnu::always_inline]] inline bool localInterruptRequested() {
  if (localInterruptState::checkBudget != 0) return localInterruptState::countedCheck();
  return localInterruptState::requested.load(std::memory_order_relaxed);
}

// While a debugger runs a program, Ctrl-C is the debugger's: it raises *target (until
// it is given null again) and the engines' own checks see no request, so the program
// stops at its next statement instead of failing.
void localInterruptDivert(std::atomic<bool>* target);

// Asks the line that runs now to stop, exactly as Ctrl-C does; nothing happens between
// lines. Harnesses that run untrusted input use it to end work that runs too long.
void localInterruptRequest();
// For harnesses: from the given number of checks within one line on, every check answers
// as if Ctrl-C had come, so a runaway loop ends after a fixed amount of work. 0 turns the
// budget off (the default).
void localInterruptSetCheckBudget(std::uint64_t checks);

// The report of a stop: the interruption trace line naming the operation, then
// localErrorTypeCODE.
[[gnu::cold]] void localInterruptReport(localReturnStateType& state, const char* operation, unsigned line);
// The check of a long-running operation outside the loops (listings, string building,
// reading and compiling a program, calls): when a stop has been requested it reports it
// and returns true. Inline, since every call of a function asks.
[[gnu::always_inline]] inline bool localInterruptStopsHere(localReturnStateType& state, const char* operation,
                                                           unsigned line) {
  if (!localInterruptRequested()) return false;
  localInterruptReport(state, operation, line);
  return true;
}
