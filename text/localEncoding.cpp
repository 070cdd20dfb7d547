#include <cstdint>

#include "text/localString.h"
#include "text/localUtf8.h"

// Fixed mappings between wide characters and the three 8-bit forms the system uses.
// Only ASCII and the Russian alphabet (А..я, Ё, ё) are mapped; everything else becomes
// the replacement byte 0xFF on the way out. A console in UTF-8 mode makes the multibyte
// form full UTF-8 instead (text/localUtf8.h).

namespace {

constexpr char replacementByte = static_cast<char>(0xFF);

// wchar_t is signed and 32 bits wide here; every comparison is made on the unsigned value
// so that negative or very large characters fall into the "anything else" row.
std::uint32_t code(wchar_t c) { return static_cast<std::uint32_t>(c); }

char byteOf(std::uint32_t value) { return static_cast<char>(static_cast<unsigned char>(value & 0xFFu)); }

// The one-character encoders append to an output string, so that encoding a whole text
// allocates once and not once a letter.
void appendCp866(std::string& out, wchar_t c) {
  const std::uint32_t v = code(c);
  if (v <= 0x7Fu) {
    out.push_back(byteOf(v));
  } else if (v == 0x401u) {
    out.push_back(static_cast<char>(0xF0));
  } else if (v == 0x451u) {
    out.push_back(static_cast<char>(0xF1));
  } else if (v >= 0x410u && v <= 0x43Fu) {
    out.push_back(byteOf(v + 0x70u));
  } else if (v >= 0x440u && v <= 0x44Fu) {
    out.push_back(byteOf(v - 0x360u));
  } else {
    out.push_back(replacementByte);
  }
}

void appendCp1251(std::string& out, wchar_t c) {
  const std::uint32_t v = code(c);
  if (v <= 0xFFu) {
    out.push_back(byteOf(v));
  } else if (v == 0x401u) {
    out.push_back(static_cast<char>(0xA8));
  } else if (v == 0x451u) {
    out.push_back(static_cast<char>(0xB8));
  } else if (v >= 0x410u && v <= 0x44Fu) {
    out.push_back(byteOf(v - 0x350u));
  } else {
    out.push_back(replacementByte);
  }
}

void appendMultibyte(std::string& out, wchar_t c) {
  const std::uint32_t v = code(c);
  if (v <= 0xFFu) {
    out.push_back(byteOf(v));
  } else if (v == 0x401u || v == 0x451u) {
    out.push_back(static_cast<char>(v == 0x401u ? 0xD0 : 0xD1));
    out.push_back(static_cast<char>(v == 0x401u ? 0x81 : 0x91));
  } else if (v >= 0x410u && v <= 0x43Fu) {
    out.push_back(static_cast<char>(0xD0));
    out.push_back(byteOf(v - 0x380u));
  } else if (v >= 0x440u && v <= 0x44Fu) {
    out.push_back(static_cast<char>(0xD1));
    out.push_back(byteOf(v - 0x3C0u));
  } else {
    out.push_back(replacementByte);
  }
}

// Shared rule of the string encoders: characters up to 0xFF are copied as their low byte,
// larger ones go through the single-character encoder.
template <class Encoder>
std::string encodeString(const std::wstring& text, Encoder appendOne) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if (code(c) <= 0xFFu) {
      out.push_back(byteOf(code(c)));
    } else {
      appendOne(out, c);
    }
  }
  return out;
}

template <class Encoder>
std::string encodeCharacter(wchar_t c, Encoder appendOne) {
  std::string out;
  appendOne(out, c);
  return out;
}

}  // namespace

namespace localString {

std::string wcharToCp866StdString(wchar_t c) { return encodeCharacter(c, appendCp866); }

std::string wcharToCp1251StdString(wchar_t c) { return encodeCharacter(c, appendCp1251); }

std::string wcharToMultibyteStdString(wchar_t c) {
  if (utf8Mode()) return wstringToUtf8(std::wstring(1, c));
  return encodeCharacter(c, appendMultibyte);
}

std::string wstringToStdStringCp866(const std::wstring& text) { return encodeString(text, appendCp866); }

std::string wstringToStdStringCp1251(const std::wstring& text) { return encodeString(text, appendCp1251); }

std::string wstringToStdStringMultibyte(const std::wstring& text) {
  if (utf8Mode()) return wstringToUtf8(text);
  return encodeString(text, appendMultibyte);
}

wchar_t charCp866ToWchar(char c) {
  const unsigned b = static_cast<unsigned char>(c);
  if (b <= 0x7Fu) return static_cast<wchar_t>(b);
  if (b == 0xF0u) return L'\u0401';
  if (b == 0xF1u) return L'\u0451';
  if (b <= 0xAFu) return static_cast<wchar_t>(b + 0x390u);
  if (b >= 0xE0u && b <= 0xEFu) return static_cast<wchar_t>(b + 0x360u);
  return static_cast<wchar_t>(b);  // pseudo-graphics and the rest keep their byte value
}

wchar_t charCp1251ToWchar(char c) {
  const unsigned b = static_cast<unsigned char>(c);
  if (b <= 0x7Fu) return static_cast<wchar_t>(b);
  if (b == 0xA8u) return L'\u0401';
  if (b == 0xB8u) return L'\u0451';
  return static_cast<wchar_t>(b + 0x350u);
}

std::wstring stdStringCp866StdStringToStdWstring(const std::string& text) {
  std::wstring out;
  out.reserve(text.size());
  for (char c : text) out.push_back(charCp866ToWchar(c));
  return out;
}

std::wstring stdStringMultibyteToStdWString(const std::string& text) {
  if (utf8Mode()) return utf8ToWstringLenient(text);
  std::wstring out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned b = static_cast<unsigned char>(text[i]);
    if (b == 0u) break;
    if (b <= 0x7Fu) {
      out.push_back(static_cast<wchar_t>(b));
      i += 1;
    } else if (b == 0xD0u || b == 0xD1u) {
      // A lead byte with nothing after it ends the text: there is no letter to produce.
      if (i + 1 >= text.size()) break;
      const int next = static_cast<signed char>(text[i + 1]);
      const int base = (b == 0xD0u) ? 0x480 : 0x4C0;
      out.push_back(static_cast<wchar_t>(base + next));
      i += 2;
    } else {
      out.push_back(L'\u00FF');
      i += 1;
    }
  }
  return out;
}

}  // namespace localString
