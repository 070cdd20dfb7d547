#pragma once
// The lines that hold a statement in a program file, known before the program runs, so
// that an editor's breakpoints are verified (and moved to a statement's line) as soon as
// they are set rather than when the file is compiled by the run.
#include <set>
#include <string>

namespace localDapLines {

// The lines (from 1) where statements of the file start, its procedures' bodies
// included; empty when the file cannot be read or does not compile. The file is
// compiled apart from any running program: nothing it declares is kept.
std::set<unsigned> statementLines(const std::wstring& file);

// Where a breakpoint asked for on `line` stands: that line or the next one with a
// statement; 0 when there is none.
unsigned placeOf(const std::set<unsigned>& lines, unsigned line);

}  // namespace localDapLines
