// The checker: the input is a program text (CP1251, as DO reads it) checked as a file and
// as console lines. Every diagnostic must name a place inside the text: a line that
// exists and a column range on it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/localCheck.h"
#include "text/localString.h"

namespace {

std::vector<std::size_t> lineLengths(const std::wstring& text) {
  std::vector<std::size_t> lengths{0};
  for (const wchar_t c : text) {
    if (c == L'\n') {
      lengths.push_back(0);
    } else {
      ++lengths.back();
    }
  }
  return lengths;
}

void checkPlaces(const std::wstring& text, const std::vector<localCheck::diagnostic>& found) {
  const std::vector<std::size_t> lengths = lineLengths(text);
  for (const localCheck::diagnostic& d : found) {
    if (d.line < 1 || d.line > lengths.size() || d.column < 1 || d.endColumn <= d.column ||
        d.column > lengths[d.line - 1] + 1 || d.name.empty() || d.message.empty())
      __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i < size; ++i) text.push_back(localString::charCp1251ToWchar(static_cast<char>(data[i])));
  checkPlaces(text, localCheck::checkProgram(text));
  checkPlaces(text, localCheck::checkConsoleLines(text));
  return 0;
}
