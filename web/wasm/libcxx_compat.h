// Included before every source of the browser build. The C++ library that ships with
// Debian's emscripten predates some C++20 additions the sources use; this supplies them
// with their standard meaning, and nothing when the library has them.
#pragma once
#include <charconv>
#include <cstdio>
#include <memory>
#include <type_traits>

#if defined(__EMSCRIPTEN__) && !defined(__cpp_lib_smart_ptr_for_overwrite)
namespace std {
template <class T>
  requires is_unbounded_array_v<T>
unique_ptr<T> make_unique_for_overwrite(size_t size) {
  return unique_ptr<T>(new remove_extent_t<T>[size]);
}
template <class T>
  requires(!is_array_v<T>)
unique_ptr<T> make_unique_for_overwrite() {
  return unique_ptr<T>(new T);
}
}  // namespace std
#endif

#if defined(__EMSCRIPTEN__) && !defined(__cpp_lib_to_chars)
namespace std {
// Floating-point to_chars with a precision is defined as printf's conversion in the C
// locale, which is what the browser build's C library does.
inline to_chars_result to_chars(char* first, char* last, double value, chars_format format, int precision) {
  const char* pattern = format == chars_format::fixed ? "%.*f" : format == chars_format::scientific ? "%.*e" : "%.*g";
  const int written = snprintf(first, static_cast<size_t>(last - first), pattern, precision, value);
  if (written < 0 || written >= last - first) return {last, errc::value_too_large};
  return {first + written, errc{}};
}
}  // namespace std
#endif
