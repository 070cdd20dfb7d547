#include "text/localUtf8.h"

#include <atomic>
#include <cstdint>
#include <cstdio>

namespace {

std::atomic<bool> utf8ModeOn{false};

constexpr char32_t replacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0u) == 0x80u; }

// Decodes the sequence at bytes[i]; on success stores the code point and its length.
bool decodeOne(const std::string& bytes, std::size_t i, char32_t& point, std::size_t& length) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = at(i);
  if (lead < 0x80u) {
    point = lead;
    length = 1;
    return true;
  }
  char32_t minimum = 0;
  if (lead >= 0xC2u && lead <= 0xDFu) {
    length = 2;
    point = lead & 0x1Fu;
    minimum = 0x80;
  } else if (lead >= 0xE0u && lead <= 0xEFu) {
    length = 3;
    point = lead & 0x0Fu;
    minimum = 0x800;
  } else if (lead >= 0xF0u && lead <= 0xF4u) {
    length = 4;
    point = lead & 0x07u;
    minimum = 0x10000;
  } else {
    return false;  // a stray continuation byte, an overlong lead (C0, C1) or F5..FF
  }
  if (bytes.size() - i < length) return false;
  for (std::size_t k = 1; k < length; ++k) {
    if (!isContinuation(at(i + k))) return false;
    point = (point << 6) | (at(i + k) & 0x3Fu);
  }
  if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
  return true;
}

void appendUtf8(std::string& out, char32_t point) {
  const auto byte = [](char32_t value) { return static_cast<char>(static_cast<unsigned char>(value)); };
  if (point < 0x80) {
    out.push_back(byte(point));
  } else if (point < 0x800) {
    out.push_back(byte(0xC0 | (point >> 6)));
    out.push_back(byte(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(byte(0xE0 | (point >> 12)));
    out.push_back(byte(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (point & 0x3F)));
  } else {
    out.push_back(byte(0xF0 | (point >> 18)));
    out.push_back(byte(0x80 | ((point >> 12) & 0x3F)));
    out.push_back(byte(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (point & 0x3F)));
  }
}

}  // namespace

namespace localString {

void setUtf8Mode(bool on) { utf8ModeOn.store(on, std::memory_order_relaxed); }

bool utf8Mode() { return utf8ModeOn.load(std::memory_order_relaxed); }

std::string wstringToUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    // wchar_t is signed here: negative values are as unusable as surrogates.
    const auto value = static_cast<std::uint32_t>(c);
    const bool encodable = value <= 0x10FFFFu && (value < 0xD800u || value > 0xDFFFu);
    appendUtf8(out, encodable ? static_cast<char32_t>(value) : replacement);
  }
  return out;
}

bool utf8ToWstring(const std::string& bytes, std::wstring& text, std::size_t& badOffset) {
  text.clear();
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t point = 0;
    std::size_t length = 0;
    if (!decodeOne(bytes, i, point, length)) {
      badOffset = i;
      return false;
    }
    text.push_back(static_cast<wchar_t>(point));
    i += length;
  }
  return true;
}

bool isValidUtf8(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t point = 0;
    std::size_t length = 0;
    if (!decodeOne(bytes, i, point, length)) return false;
    i += length;
  }
  return true;
}

utf8Census countUtf8(const std::string& bytes) {
  utf8Census census;
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t point = 0;
    std::size_t length = 0;
    if (decodeOne(bytes, i, point, length)) {
      if (length > 1) ++census.multibyte;
      i += length;
    } else {
      if (census.bad++ == 0) census.firstBad = i;
      i += 1;
    }
  }
  return census;
}

std::wstring utf8ToWstringLenient(const std::string& bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size() && bytes[i] != '\0') {
    char32_t point = 0;
    std::size_t length = 0;
    if (decodeOne(bytes, i, point, length)) {
      text.push_back(static_cast<wchar_t>(point));
      i += length;
    } else {
      text.push_back(static_cast<wchar_t>(replacement));
      i += 1;
    }
  }
  return text;
}

std::string byteAsHex(char byte) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(byte)));
  return hex;
}

}  // namespace localString
