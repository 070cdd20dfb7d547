#include "transcript_codec.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace transcript {
namespace {

// The Russian alphabet in the order both code pages lay it out: А..Я, а..я, then Ё, ё.
const char* const russianLetters =
    "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюяЁё";

// Reads one UTF-8 character at i; returns false on a malformed sequence.
bool nextCodePoint(const std::string& s, std::size_t& i, std::uint32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t length = 0;
  if (b0 < 0x80) {
    cp = b0;
    length = 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    cp = b0 & 0x1Fu;
    length = 2;
  } else if ((b0 & 0xF0) == 0xE0) {
    cp = b0 & 0x0Fu;
    length = 3;
  } else if ((b0 & 0xF8) == 0xF0) {
    cp = b0 & 0x07u;
    length = 4;
  } else {
    return false;
  }
  if (i + length > s.size()) return false;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  i += length;
  return true;
}

std::vector<std::uint32_t> letterCodePoints() {
  std::vector<std::uint32_t> out;
  const std::string letters = russianLetters;
  std::size_t i = 0;
  std::uint32_t cp = 0;
  while (i < letters.size() && nextCodePoint(letters, i, cp)) out.push_back(cp);
  return out;
}

// Byte of the index-th letter of russianLetters in the code page.
unsigned char letterByte(std::size_t index, CodePage page) {
  if (page == CodePage::cp866) {
    if (index < 48) return static_cast<unsigned char>(0x80 + index);
    if (index < 64) return static_cast<unsigned char>(0xE0 + (index - 48));
    return index == 64 ? 0xF0 : 0xF1;
  }
  if (index < 64) return static_cast<unsigned char>(0xC0 + index);
  return index == 64 ? 0xA8 : 0xB8;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string escapeByte(unsigned char b) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned>(b));
  return buffer;
}

// UTF-8 text of every byte of the code page: ASCII printable characters, tab and line
// feed stand as themselves, the Russian letters as UTF-8, everything else as \xNN.
std::vector<std::string> decodeTable(CodePage page) {
  std::vector<std::string> table(256);
  for (unsigned b = 0; b < 256; ++b) {
    const bool plain = b == '\t' || b == '\n' || (b >= 0x20 && b < 0x7F);
    table[b] = plain ? std::string(1, static_cast<char>(b)) : escapeByte(static_cast<unsigned char>(b));
  }
  const std::string letterText = russianLetters;  // every letter is two bytes of UTF-8
  for (std::size_t index = 0; index < 66; ++index) table[letterByte(index, page)] = letterText.substr(index * 2, 2);
  return table;
}

std::string decode(const std::string& bytes, const std::vector<std::string>& table) {
  std::string out;
  for (char c : bytes) out += table[static_cast<unsigned char>(c)];
  return out;
}

}  // namespace

bool encodeLine(const std::string& utf8, CodePage page, std::string& bytes, std::string& error) {
  static const std::vector<std::uint32_t> letters = letterCodePoints();
  bytes.clear();
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (utf8[i] == '\\' && i + 3 < utf8.size() && utf8[i + 1] == 'x' && hexDigit(utf8[i + 2]) >= 0 &&
        hexDigit(utf8[i + 3]) >= 0) {
      bytes.push_back(static_cast<char>(hexDigit(utf8[i + 2]) * 16 + hexDigit(utf8[i + 3])));
      i += 4;
      continue;
    }
    const std::size_t start = i;
    std::uint32_t cp = 0;
    if (!nextCodePoint(utf8, i, cp)) {
      error = "malformed UTF-8 at byte " + std::to_string(start) + " of: " + utf8;
      return false;
    }
    if (cp < 0x80) {
      bytes.push_back(static_cast<char>(cp));
      continue;
    }
    bool found = false;
    for (std::size_t index = 0; index < letters.size(); ++index) {
      if (letters[index] == cp) {
        bytes.push_back(static_cast<char>(letterByte(index, page)));
        found = true;
        break;
      }
    }
    if (!found) {
      error = "character '" + utf8.substr(start, i - start) +
              "' is neither ASCII nor a Russian letter (write it as \\xNN) in: " + utf8;
      return false;
    }
  }
  return true;
}

std::string decodeConsoleOutput(const std::string& cp866) {
  static const std::vector<std::string> table = decodeTable(CodePage::cp866);
  return decode(cp866, table);
}

std::string decodeCp1251(const std::string& bytes) {
  static const std::vector<std::string> table = decodeTable(CodePage::cp1251);
  return decode(bytes, table);
}

}  // namespace transcript
