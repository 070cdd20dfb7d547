// The encodings, the output buffer and the string helpers, checked against properties
// that hold for every input: round trips where a mapping is one-to-one, lengths and
// positions everywhere else. A violated property aborts, which libFuzzer reports.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <sstream>
#include <string>

#include "app/coutMainBufferClass.h"
#include "core/localIntegerConversion.h"
#include "context/localBuiltinLibrary.h"
#include "text/localString.h"

namespace {

void require(bool condition, const char* property) {
  if (condition) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }

bool isRussianLetter(wchar_t c) { return (c >= 0x410 && c <= 0x44F) || c == 0x401 || c == 0x451; }

// Every byte has its own character in CP866, so decoding and encoding again is exact.
void cp866RoundTrip(const std::string& bytes) {
  const std::wstring wide = localString::stdStringCp866StdStringToStdWstring(bytes);
  require(wide.size() == bytes.size(), "CP866 decoding keeps the length");
  require(localString::wstringToStdStringCp866(wide) == bytes, "CP866 round trip");
  for (std::size_t i = 0; i < bytes.size(); ++i)
    require(wide[i] == localString::charCp866ToWchar(bytes[i]), "CP866 string and character decoding agree");
}

// CP1251 round-trips ASCII and the Russian letters; the other bytes land somewhere in
// one byte.
void cp1251RoundTrip(const std::string& bytes) {
  std::wstring wide;
  for (char c : bytes) wide.push_back(localString::charCp1251ToWchar(c));
  const std::string back = localString::wstringToStdStringCp1251(wide);
  require(back.size() == bytes.size(), "CP1251 encoding keeps the length");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80 || b == 0xA8 || b == 0xB8 || b >= 0xC0) require(back[i] == bytes[i], "CP1251 round trip");
  }
}

// The multibyte form carries ASCII (without the zero byte, which ends a text) and the
// Russian letters exactly; any wide character at all encodes without fault.
void multibyte(const std::string& bytes) {
  std::wstring letters;
  for (wchar_t c : localString::stdStringCp866StdStringToStdWstring(bytes)) {
    if ((c > 0 && c < 0x80) || isRussianLetter(c)) letters.push_back(c);
  }
  require(localString::stdStringMultibyteToStdWString(localString::wstringToStdStringMultibyte(letters)) == letters,
          "multibyte round trip of ASCII and Russian letters");
  localString::stdStringMultibyteToStdWString(bytes);

  std::wstring any;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    std::uint32_t code = 0;
    std::memcpy(&code, bytes.data() + i, 4);
    any.push_back(static_cast<wchar_t>(code));
  }
  require(localString::wstringToStdStringCp866(any).size() == any.size(), "CP866 encodes one byte a character");
  require(localString::wstringToStdStringCp1251(any).size() == any.size(), "CP1251 encodes one byte a character");
  localString::wstringToStdStringMultibyte(any);
}

// The console's output buffer takes any byte sequence.
void outputBuffer(const std::string& bytes) {
  std::stringbuf target;
  {
    coutMainBufferClass buffer(&target);
    std::ostream out(&buffer);
    out << bytes << '\n';
    out.flush();
  }
}

void trimming(const std::wstring& text) {
  const std::wstring left = localString::trimL(text);
  const std::wstring right = localString::trimR(text);
  require(left.empty() || !isBlank(left.front()), "trimL leaves no leading blank");
  require(right.empty() || !isBlank(right.back()), "trimR leaves no trailing blank");
  require(text.size() >= left.size() && text.compare(text.size() - left.size(), left.size(), left) == 0,
          "trimL gives an end of the text");
  require(text.compare(0, right.size(), right) == 0, "trimR gives a beginning of the text");
  require(localString::trimL(right) == localString::trimR(left), "trimming order does not matter");
}

void upperCase(const std::wstring& text) {
  const std::wstring upper = localString::wstringToUpper(text);
  require(upper.size() == text.size(), "upper case keeps the length");
  require(localString::wstringToUpper(upper) == upper, "upper case is idempotent");
}

void linesAndPositions(const std::wstring& text, unsigned position) {
  const std::wstring line = localString::getLineFromPos(text, position);
  require(line.find(L'\n') == std::wstring::npos, "a line holds no line feed");
  unsigned lineStart = 0;
  const unsigned number = localString::getLineNumberByPos(text, position, lineStart);
  std::size_t at = position;
  if (at >= text.size()) at = text.empty() ? 0 : text.size() - 1;
  unsigned feeds = 0;
  std::size_t expectedStart = 0;
  // A line feed at the position itself belongs to the line that follows it.
  for (std::size_t i = 0; i <= at && i < text.size(); ++i) {
    if (text[i] == L'\n') {
      ++feeds;
      expectedStart = i + 1;
    }
  }
  require(number == feeds + 1, "line number counts the line feeds before the position");
  require(lineStart == expectedStart, "line start follows the last line feed before the position");
  const std::wstring_view tail = localString::rightView(text, position);
  require(tail.size() == std::min<std::size_t>(position, text.size()), "right takes at most count characters");
}

void templates(const std::wstring& word, const std::wstring& pattern) {
  require(localString::wordCorrespondsToTemplate(word, word), "a word matches itself");
  require(localString::wordCorrespondsToTemplate(word, L"*"), "* matches every word");
  localString::wordCorrespondsToTemplate(word, pattern);
}

void numbers(const std::string& bytes) {
  for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
    double number = 0;
    std::memcpy(&number, bytes.data() + i, 8);
    const std::wstring text = localString::doubleToStdWString(number);
    localString::doubleToStdWStringDefault(number);
    localTruncateToInt32(number);
    localTruncateToUint32Modulo(number);
    if (std::isfinite(number) && std::fabs(number) >= DBL_MIN) {
      const double back = localString::classicTextToDouble(localString::wstringToStdStringMultibyte(text));
      // Above the largest 15-digit number below the double range the text rounds up out of it.
      if (std::isinf(back)) {
        require(std::fabs(number) > 1.79769313486231e308, "only the top of the range reads back as infinity");
      } else {
        require(std::fabs(back - number) <= std::fabs(number) * 1e-14, "15 significant digits read back");
      }
    }
  }
  localString::classicTextToDouble(bytes.substr(0, bytes.find('\0')));
  localDecimalPrefixToDouble(localString::stdStringCp866StdStringToStdWstring(bytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  cp866RoundTrip(bytes);
  cp1251RoundTrip(bytes);
  multibyte(bytes);
  outputBuffer(bytes);

  const std::wstring text = localString::stdStringCp866StdStringToStdWstring(bytes);
  trimming(text);
  upperCase(text);
  const unsigned position = size == 0 ? 0 : static_cast<unsigned>(data[0]) * 7u;
  linesAndPositions(text, position);
  const std::size_t half = text.size() / 2;
  templates(text.substr(0, half), text.substr(half));
  numbers(bytes);
  return 0;
}
