#include "interp/localWordReader.h"

#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

std::wstring readUpperWord(const std::wstring& text, unsigned& position) {
  return localString::wstringToUpper(localInterpretatorUTF8::scanStringGetWordToken(text, position));
}
