#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Conversions between wide strings and the 8-bit encodings the system meets (CP866 at
// the console, CP1251 in program files, the multibyte form for everything printed),
// and the small string helpers every other subsystem relies on. All pure functions.
namespace localString {

// --- Encodings -------------------------------------------------------------------
std::string wcharToCp866StdString(wchar_t c);
std::string wcharToCp1251StdString(wchar_t c);
std::string wcharToMultibyteStdString(wchar_t c);

std::string wstringToStdStringCp866(const std::wstring& text);
std::string wstringToStdStringCp1251(const std::wstring& text);
std::string wstringToStdStringMultibyte(const std::wstring& text);

wchar_t charCp866ToWchar(char c);
wchar_t charCp1251ToWchar(char c);
std::wstring stdStringCp866StdStringToStdWstring(const std::string& text);
std::wstring stdStringMultibyteToStdWString(const std::string& text);

// --- Blanks, trimming, case ---------------------------------------------------------
bool isSpaceChar(const std::wstring& text, unsigned position);
// The character at position, or U+0000 past the end of the text.
wchar_t charAt(const std::wstring& text, unsigned position);
std::wstring trimL(const std::wstring& text);
std::wstring trimR(const std::wstring& text);
// The same parts as views into text, for callers that copy only what they keep.
std::wstring_view trimLView(std::wstring_view text);
std::wstring_view trimRView(std::wstring_view text);
// The last count characters of text (all of it when it is shorter).
std::wstring_view rightView(std::wstring_view text, unsigned count);
// Inline: name lookups upper-case every character they hash and compare.
inline wchar_t wcharToUpper(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 0x20);
  if (c >= L'\u0430' && c <= L'\u044F') return static_cast<wchar_t>(c - 0x20);
  if (c == L'\u0451') return L'\u0401';
  return c;
}
std::wstring wstringToUpper(const std::wstring& text);

// --- Lines and positions ------------------------------------------------------------
std::wstring newLineMarker();
bool isNewLineMarker(const std::wstring& text, const unsigned& position);
std::wstring getLineFromPos(const std::wstring& text, unsigned position);
unsigned getLineNumberByPos(const std::wstring& text, unsigned position, unsigned& lineStart);

// --- Templates, numbers, pointers -----------------------------------------------------
bool wordCorrespondsToTemplate(const std::wstring& word, const std::wstring& pattern);
// %.15g with an exponent of at least three digits (1e+015); inf, -inf, nan otherwise.
std::wstring doubleToStdWString(double number);
// The output stream's default number format (%g, six significant digits), with the same
// three-digit exponent.
std::wstring doubleToStdWStringDefault(double number);
// Decimal ASCII text to double in the C locale, whatever locale the process has set;
// beyond the double range it gives infinity (or 0 for a vanishing fraction).
double classicTextToDouble(const std::string& ascii);
// "0x" and lower-case hex digits; "0" for null.
std::wstring pointerToStdWString(const void* pointer);

// --- Files ----------------------------------------------------------------------------
// DO reads program files of at most 64 MB: that is hundreds of times any real program and
// still gives a program text within the string limit (2^26 characters at most).
constexpr std::uintmax_t programFileSizeLimit = std::uintmax_t{64} << 20;
// Empty when name is a regular file of at most maxBytes, or names nothing; otherwise the
// reason, naming the file, why it must not be read or edited.
std::wstring fileRefusal(const std::string& name, std::uintmax_t maxBytes);

}  // namespace localString
