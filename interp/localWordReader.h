#pragma once
#include <string>

// Reads the word token at position (scanStringGetWordToken) and upper-cases it, the form
// in which keywords, commands and names are compared. The blanks after the word stay:
// a caller that wants them skipped calls scanStringSkipVoidChars itself.
std::wstring readUpperWord(const std::wstring& text, unsigned& position);
