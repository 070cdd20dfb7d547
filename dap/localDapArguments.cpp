#include "dap/localDapArguments.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "text/localUtf8.h"

namespace localDapArguments {

std::string utf8(const std::wstring& text) { return localString::wstringToUtf8(text); }

std::wstring wide(const std::string& bytes) {
  std::wstring text;
  std::size_t bad = 0;
  if (localString::utf8ToWstring(bytes, text, bad)) return text;
  return localString::utf8ToWstringLenient(bytes);
}

long long number(const json& value, long long low, long long high) {
  if (value.is_number_unsigned()) {
    const unsigned long long whole = value.get<unsigned long long>();
    if (whole <= static_cast<unsigned long long>(high) && (low <= 0 || whole >= static_cast<unsigned long long>(low)))
      return static_cast<long long>(whole);
  } else if (value.is_number_integer()) {
    const long long whole = value.get<long long>();
    if (whole >= low && whole <= high) return whole;
  } else if (value.is_number_float()) {
    const double figure = value.get<double>();
    if (std::isfinite(figure) && figure == std::trunc(figure) && figure >= static_cast<double>(low) &&
        figure <= static_cast<double>(high))
      return static_cast<long long>(figure);
  }
  throw std::invalid_argument("a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                              " was expected");
}

long long optionalNumber(const json& object, const char* key, long long low, long long high, long long absent) {
  const auto found = object.find(key);
  return found == object.end() || found->is_null() ? absent : number(*found, low, high);
}

bool flag(const json& object, const char* key) {
  const auto found = object.find(key);
  return found != object.end() && found->is_boolean() && found->get<bool>();
}

std::string text(const json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_string()) throw std::invalid_argument(std::string(key) + " must be a string");
  return found->get<std::string>();
}

std::wstring absolutePath(const std::wstring& file) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(file), error);
  return error ? file : path.lexically_normal().wstring();
}

}  // namespace localDapArguments
