#pragma once
#include <string>

// Diagnostic trace line on standard output:
//   lead, operation, " file: ", file, " line: ", number, line end.
// The lead is converted to the multibyte form before it is written.
void localTrace(const std::wstring& lead, const std::string& operation, unsigned line,
                const std::string& file = "localInterpretatorUTF8");
