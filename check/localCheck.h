#pragma once
#include <string>
#include <vector>

// The checker of program files: compiles a program text without running it and looks
// for the language's traps, code that runs but rarely does what its writer meant. It
// prints nothing; `--check` and the language server show what it returns.
namespace localCheck {

enum class severity { error, warning };

struct diagnostic {
  unsigned line = 0;       // from 1
  unsigned column = 0;     // from 1
  unsigned endColumn = 0;  // from 1, one past the last character, on the same line
  severity level = severity::warning;
  std::string name;        // "error" for a compile failure, else the warning's short name
  std::wstring message;
};

// Every diagnostic of a program text as a file holds it (lines end in "\n"), in order of
// place: at most one error (compilation stops at the first) and the warnings that no
// comment on their line silences ("// nowarn: NAME[, NAME]").
std::vector<diagnostic> checkProgram(const std::wstring& text);

// The same for console lines, as `-c TEXT` runs them: each line's statement is checked on
// its own (an error each), and text after a statement is reported as ignored.
std::vector<diagnostic> checkConsoleLines(const std::wstring& text);

struct warningKind {
  const char* name;
  const char* summary;
};

// The warnings the checker knows, by short name.
const std::vector<warningKind>& warningKinds();

}  // namespace localCheck
