#pragma once
// Random programs for the differential test: loops, IF chains in both keyword sets,
// user functions, failures at the n-th pass of a loop, DO and CLEAR MEMORY inside loops,
// strings and numbers mixed, deep brackets. Loops always end: their counters are names
// no other statement assigns, and a counter removed by CLEAR MEMORY makes the loop fail.
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
