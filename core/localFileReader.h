#pragma once
#include <string>

#include "core/localReturnStateType.h"

namespace localString {

// Appends the file's lines (CP1251, or UTF-8 when the console is in UTF-8 mode and the
// file is valid UTF-8) to text, each ending in one line feed; a CR before LF
// is dropped. A file that cannot be opened gives localErrorTypeFILEnotFound.
bool readFromFile(localReturnStateType& state, const std::wstring& fileName, std::wstring& text);

}  // namespace localString
