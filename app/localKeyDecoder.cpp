#include "app/localKeyDecoder.h"

#include "text/localUtf8.h"

namespace {

constexpr wchar_t escapeBase = 0xDC00;

bool isEscape(wchar_t c) { return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF; }

std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;  // a continuation byte or a byte UTF-8 never uses
}

void escape(const std::string& bytes, std::wstring& keys) {
  for (const char byte : bytes) keys.push_back(static_cast<wchar_t>(escapeBase + static_cast<unsigned char>(byte)));
}

}  // namespace

void localKeyDecoder::feed(char byte, std::wstring& keys) {
  const auto value = static_cast<unsigned char>(byte);
  if (!pending_.empty() && (value & 0xC0) != 0x80) {
    // The character was cut short: its bytes are given up, this one starts afresh.
    escape(pending_, keys);
    pending_.clear();
  }
  if (pending_.empty()) {
    expected_ = sequenceLength(value);
    if (expected_ == 0) {
      escape(std::string(1, byte), keys);
      return;
    }
  }
  pending_.push_back(byte);
  if (pending_.size() < expected_) return;
  std::wstring decoded;
  std::size_t badOffset = 0;
  if (localString::utf8ToWstring(pending_, decoded, badOffset)) {
    keys += decoded;
  } else {
    escape(pending_, keys);  // an overlong form or a surrogate
  }
  pending_.clear();
}

std::string localKeyLineBytes(const std::wstring& line) {
  std::string bytes;
  std::wstring run;
  for (const wchar_t c : line) {
    if (!isEscape(c)) {
      run.push_back(c);
      continue;
    }
    bytes += localString::wstringToUtf8(run);
    run.clear();
    bytes.push_back(static_cast<char>(c - escapeBase));
  }
  return bytes + localString::wstringToUtf8(run);
}
