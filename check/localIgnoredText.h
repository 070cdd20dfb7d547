#pragma once
#include <string>

// What a console line's `?`, assignment or call statement left of its line: the executor
// never looks past a complete statement, so `? 1e3` prints 1. Blanks, comments and ";"
// are nothing; after a command the rest of the line is its template or file name.
// `position` is where the executor stopped. Empty when nothing was ignored.
std::wstring localIgnoredText(const std::wstring& line, unsigned position);
