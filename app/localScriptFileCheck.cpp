#include "app/localScriptFileCheck.h"

#include <fstream>

namespace localScriptFileCheck {

namespace {

constexpr std::size_t sampleSize = std::size_t{1} << 16;

// Control characters that text files hold: tab, line feed, vertical tab, form feed,
// carriage return, the DOS end-of-file mark and escape (colours in a string).
bool isTextControl(unsigned char c) {
  return c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A || c == 0x1B;
}

}  // namespace

std::string whyNotText(const std::string& bytes) {
  const std::size_t zero = bytes.find('\0');
  if (zero != std::string::npos) return "a zero byte at offset " + std::to_string(zero);
  // A stray control character may sit in a string literal; many of them make no text.
  std::size_t controls = 0;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 || byte == 0x7F) && !isTextControl(byte)) ++controls;
  }
  if (controls > 0 && controls * 32 > bytes.size()) return std::to_string(controls) + " control bytes";
  return std::string();
}

std::string whyFileIsNotText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in.is_open()) return std::string();
  std::string sample(sampleSize, '\0');
  in.read(sample.data(), static_cast<std::streamsize>(sample.size()));
  sample.resize(static_cast<std::size_t>(in.gcount()));
  return whyNotText(sample);
}

}  // namespace localScriptFileCheck
