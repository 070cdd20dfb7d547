#pragma once
#include <string>

// Diagnostic trace line:
//   lead, operation, " file: ", file, " line: ", number, line end.
// The lead is converted to the multibyte form before it is written. It goes where the
// diagnostics go (core/localDiagnostics.h).
void localTrace(const std::wstring& lead, const std::string& operation, unsigned line,
                const std::string& file = "localInterpretatorUTF8");

// The same line as part of what a command or function prints (the title of a listing,
// MESSAGE of an object): always on standard output.
void localTraceOutput(const std::wstring& lead, const std::string& operation, unsigned line,
                      const std::string& file = "localInterpretatorUTF8");
