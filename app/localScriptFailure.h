#pragma once
#include <string>

#include "core/localFailurePlace.h"

// How a FILE or -c run tells its failure on standard error, as compilers do:
//
//   prog.prg:4:9: Синтаксическая ошибка.
//     t.NEWCOLUMN("a");
//           ^
//   hint: a method call is not a statement in a program; assign its result: ...
//
// The source line and the caret are left out when the line is not known.
namespace localScriptFailure {

// The closing line, "file:line:column: [detail: ]message[ NAME]", or "file: message" without
// a line; NAME is the unknown variable or function the message is about.
std::string closingLine(const localFailurePlace::place& place, const std::string& message);

// The source line and under it a caret at `column` (from 1); tabs before it are kept, so
// that the caret stands under its character however the terminal sets tabs.
std::string sourceAndCaret(const std::wstring& sourceLine, unsigned column);

// Line `line` (from 1) of a program file read as DO reads it (UTF-8 when the run is in
// UTF-8 mode and the file is UTF-8, CP1251 otherwise); false when it cannot be read.
bool lineOfFile(const std::wstring& file, unsigned line, std::wstring& text);

// Everything above for one failure; `sourceLine` may be null.
std::string report(const localFailurePlace::place& place, localReturnStateType state, const std::wstring* sourceLine);

}  // namespace localScriptFailure
