#pragma once
// Random programs for the differential test: loops, IF chains in both keyword sets,
// user functions, failures at the n-th pass of a loop, DO and CLEAR MEMORY inside loops,
// strings and numbers mixed, deep brackets; and the shapes where compiled code tends to
// go wrong: variables that change kind mid-loop, names made or functions re-registered
// while a loop or a call runs, appends that read or change their own target, comparisons
// of mixed kinds, brackets around leaves, calls nested in arguments. Loops mostly end on
// their own (their counters are names no ordinary statement assigns); the few that
// change their own counter, or strings that double, need the bounds the test sets on
// work and string length. The same seed gives the same program.
#include <random>
#include <string>

namespace programGenerator {

struct generated {
  std::wstring main;      // the program run with textExec
  std::wstring included;  // the file that DO statements of main run
};

// includedPath: the name DO statements use for the included file.
generated make(unsigned seed, const std::wstring& includedPath);

}  // namespace programGenerator
