#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The problems an editor marks in a program text: what `--check` reports for a file
// (the compile error, if any, and the warnings for the language's traps), found in a
// context of its own that nothing else sees, without running anything and without a
// line of output; with offsets into the editor's text.
namespace localLspCheck {

enum class severity { error = 1, warning = 2 };

struct problem {
  std::size_t start = 0;  // offsets into the text: [start, end)
  std::size_t end = 0;
  severity level = severity::error;
  std::wstring message;
  std::wstring code;  // a short name, empty for a compile error
};

std::vector<problem> check(const std::wstring& text);

}  // namespace localLspCheck
