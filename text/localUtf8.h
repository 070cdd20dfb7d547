#pragma once
#include <cstddef>
#include <string>

// UTF-8 for a console that runs in it. The fixed multibyte form of localString covers
// ASCII and the Russian alphabet only; in UTF-8 mode the multibyte form becomes full
// UTF-8, so every character a wide string holds reaches the terminal and the file
// system intact, and program files that are valid UTF-8 are read as such.
namespace localString {

// Process-wide switch, set once at start-up before any text is converted. Off by
// default: then every conversion is the fixed CP866-era mapping.
void setUtf8Mode(bool on);
bool utf8Mode();

// Code points that UTF-8 cannot carry (surrogates, beyond U+10FFFF) become U+FFFD.
std::string wstringToUtf8(const std::wstring& text);

// Strict decoding: overlong forms, surrogates, code points beyond U+10FFFF and cut
// sequences are refused. On failure `badOffset` is the offset of the first bad byte.
bool utf8ToWstring(const std::string& bytes, std::wstring& text, std::size_t& badOffset);
bool isValidUtf8(const std::string& bytes);

// How much of a text is UTF-8: the sequences of two or more bytes that decode, the bytes
// that do not, and the offset of the first of those.
struct utf8Census {
  std::size_t multibyte = 0;
  std::size_t bad = 0;
  std::size_t firstBad = 0;
};
utf8Census countUtf8(const std::string& bytes);

// A byte as the messages about bad bytes name it: "0x" and two upper-case hex digits.
std::string byteAsHex(char byte);

// Lenient decoding for text from outside (built-in classes, child processes): it stops
// at a zero byte, as the multibyte decoder does, and a bad byte becomes U+FFFD.
std::wstring utf8ToWstringLenient(const std::string& bytes);

}  // namespace localString
