// Token scanners: each reads one kind of token at a position and advances past it.
#include <cstdint>

#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

namespace {

bool isWordChar(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' ||
         c == 0x0401 || (c >= 0x0410 && c <= 0x044F) || c == 0x0451;
}

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Decimal integers of up to 15 digits are below 2^53 and so exact in a double.
constexpr unsigned maxExactDigits = 15;

}  // namespace

void localInterpretatorUTF8::scanStringSkipVoidCharsFrom(const std::wstring& text, unsigned& position) {
  static const std::wstring marker = localString::newLineMarker();
  while (position < text.size()) {
    const wchar_t c = text[position];
    if (c == L'\t' || c == L' ') {
      ++position;
    } else if (c > L'/' || (c > L' ' && c != L'/')) {
      break;  // a token: see scanStringSkipVoidChars
    } else if (localString::isNewLineMarker(text, position)) {
      position += static_cast<unsigned>(marker.size());
    } else if (c == L'/' && position + 1 < text.size() && text[position + 1] == L'/') {
      const std::size_t end = text.find(marker, position + 2);
      position = static_cast<unsigned>(end == std::wstring::npos ? text.size() : end);
    } else {
      break;
    }
  }
}

std::wstring localInterpretatorUTF8::scanStringGetWordToken(const std::wstring& text, unsigned& position) {
  return std::wstring(scanStringGetWordView(text, position));
}

std::wstring_view localInterpretatorUTF8::scanStringGetWordView(const std::wstring& text, unsigned& position) {
  const unsigned start = position;
  while (position < text.size() && isWordChar(text[position])) ++position;
  return start < text.size() ? std::wstring_view(text).substr(start, position - start) : std::wstring_view();
}

bool localInterpretatorUTF8::scanStringGetNumberTokenAndEvaluete(const std::wstring& text, unsigned& position,
                                                                localValueDescription& value) {
  const unsigned start = position;
  bool pointSeen = false;
  bool anyDigit = false;
  std::uint64_t whole = 0;  // the digits as an integer, while there is no point
  while (position < text.size()) {
    const wchar_t c = text[position];
    if (isDigit(c)) {
      anyDigit = true;
      if (!pointSeen && position - start < maxExactDigits) whole = whole * 10 + static_cast<unsigned>(c - L'0');
    } else if (c == L'.' && !pointSeen) {
      pointSeen = true;
    } else {
      break;
    }
    ++position;
  }
  // A lone point, or nothing at all, is the number 0.
  if (!anyDigit) {
    value.setVal(0.0);
  } else if (!pointSeen && position - start <= maxExactDigits) {
    // Up to 15 digits a double holds the integer exactly: no text conversion needed.
    value.setVal(static_cast<double>(whole));
  } else {
    // The same conversion as NUMBER: a literal beyond the double range is infinity.
    std::string digits;
    digits.reserve(position - start);
    for (unsigned i = start; i < position; ++i) digits.push_back(static_cast<char>(text[i]));
    value.setVal(localString::classicTextToDouble(digits));
  }
  return true;
}

bool localInterpretatorUTF8::scanStringGetStringTokenAndEvaluete(const std::wstring& text, unsigned& position,
                                                                localValueDescription& value) {
  if (position >= text.size()) return false;
  const wchar_t quote = text[position];
  const std::size_t close = text.find(quote, position + 1);
  if (close == std::wstring::npos) {
    position = static_cast<unsigned>(text.size());
    return false;
  }
  value.setVal(text.substr(position + 1, close - position - 1));
  position = static_cast<unsigned>(close + 1);
  return true;
}

localPossibleBinaryOperation localInterpretatorUTF8::scanStringGetBinaryOperation(const std::wstring& text,
                                                                                  unsigned& position) {
  scanStringSkipVoidChars(text, position);
  if (position >= text.size()) return localPossibleBinaryOperationNONE;
  const bool hasNext = position + 1 < text.size();
  const wchar_t next = hasNext ? text[position + 1] : L'\0';
  switch (text[position]) {
    case L'*':
      ++position;
      return localPossibleBinaryOperationMULTIPLY;
    case L'+':
      ++position;
      return localPossibleBinaryOperationPLUS;
    case L'-':
      ++position;
      return localPossibleBinaryOperationMINUS;
    case L'/':
      ++position;
      return localPossibleBinaryOperationDIVIDE;
    case L'=':
      ++position;
      return localPossibleBinaryOperationEQUAL;
    case L'<':
      if (hasNext && next == L'=') {
        position += 2;
        return localPossibleBinaryOperationLESSOREQUAL;
      }
      if (hasNext && next == L'>') {
        position += 2;
        return localPossibleBinaryOperationNOTEQUAL;
      }
      ++position;
      return localPossibleBinaryOperationLESS;
    case L'>':
      if (hasNext && next == L'=') {
        position += 2;
        return localPossibleBinaryOperationGREATEROREQUAL;
      }
      ++position;
      return localPossibleBinaryOperationGREATER;
    default:
      return localPossibleBinaryOperationNONE;
  }
}
