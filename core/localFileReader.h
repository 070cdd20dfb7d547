#pragma once
#include <string>

#include "core/localReturnStateType.h"

namespace localString {

// Appends the CP1251 file's lines to text, each ending in one line feed; a CR before LF
// is dropped. A file that cannot be opened gives localErrorTypeFILEnotFound.
bool readFromFile(localReturnStateType& state, const std::wstring& fileName, std::wstring& text);

}  // namespace localString
