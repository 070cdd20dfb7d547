#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

#include "text/localString.h"

// Text forms of numbers and pointers, and the reading of decimal number texts. Numbers use general notation as printf's %g does,
// but always with an exponent of at least three digits (1e+015), the form the console has
// always shown; the conversion is locale-independent.

namespace {

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// "1e+15" -> "1e+015"; texts without an exponent are returned unchanged.
std::string padExponent(std::string text) {
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return text;
  std::size_t digits = e + 1;
  if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
  const std::size_t count = text.size() - digits;
  if (count < 3) text.insert(digits, 3 - count, '0');
  return text;
}

std::wstring formatGeneral(double number, int precision) {
  if (std::isnan(number)) return L"nan";
  if (std::isinf(number)) return number < 0 ? L"-inf" : L"inf";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, precision);
  return widen(padExponent(std::string(buffer, result.ptr)));
}

}  // namespace

namespace localString {

std::wstring doubleToStdWString(double number) { return formatGeneral(number, 15); }

std::wstring doubleToStdWStringDefault(double number) { return formatGeneral(number, 6); }

double classicTextToDouble(const std::string& ascii) {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  if (classic == static_cast<locale_t>(nullptr)) return std::strtod(ascii.c_str(), nullptr);
  return strtod_l(ascii.c_str(), nullptr, classic);
}

std::wstring pointerToStdWString(const void* pointer) {
  if (pointer == nullptr) return L"0";
  char buffer[2 * sizeof(std::uintptr_t) + 1];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, reinterpret_cast<std::uintptr_t>(pointer), 16);
  return L"0x" + widen(std::string(buffer, result.ptr));
}

}  // namespace localString
