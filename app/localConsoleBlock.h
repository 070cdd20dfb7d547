#pragma once
#include <string>

// Blocks typed at the prompt. A console line runs one statement; a line whose first word
// opens a block (IF, WHILE, FOR, FUNCTION, PROCEDURE or their Russian spellings, not
// followed by "=", so that `while = 2` stays an assignment) is collected with the lines
// after it until its block closes, and the whole runs as DO runs a program text.
namespace localConsoleBlock {

bool opensBlock(const std::wstring& line);

// How a line changes the number of open blocks: +1 for each keyword that opens one at the
// start of a statement, -1 for each that closes one (ENDIF, ENDDO, ENDFUNCTION,
// ENDPROCEDURE and their Russian spellings). Strings and comments are skipped.
int depthChange(const std::wstring& line);

// The collected lines as a program text: one ";" is added after a last closing keyword
// typed without it.
std::wstring programText(const std::wstring& lines);

}  // namespace localConsoleBlock
