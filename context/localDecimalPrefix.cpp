#include <cstddef>
#include <string>

#include "context/localBuiltinLibrary.h"
#include "text/localString.h"

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Length of the decimal number at the start of text, 0 when there is none.
std::size_t decimalPrefixLength(const std::wstring& text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == L'.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  // The exponent counts only when at least one digit follows the e and its sign.
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

double localDecimalPrefixToDouble(const std::wstring& text) {
  const std::size_t length = decimalPrefixLength(text);
  if (length == 0) return 0.0;
  // The accepted prefix is pure ASCII.
  const std::string ascii(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
  return localString::classicTextToDouble(ascii);
}
