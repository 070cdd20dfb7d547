#include "app/localCompletion.h"

#include <algorithm>

#include "context/localContextUTF8.h"
#include "shell/localKeywordWords.h"
#include "text/localString.h"

namespace localCompletion {

namespace {


bool isWordChar(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' ||
         c == 0x0401 || (c >= 0x0410 && c <= 0x044F) || c == 0x0451;
}

bool hasCapital(const std::wstring& text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= 0x0410 && c <= 0x042F) || c == 0x0401;
  });
}

wchar_t toLower(wchar_t c) {
  if ((c >= L'A' && c <= L'Z') || (c >= 0x0410 && c <= 0x042F)) return static_cast<wchar_t>(c + 0x20);
  return c == 0x0401 ? wchar_t{0x0451} : c;
}

std::wstring inCaseOf(const std::wstring& prefix, std::wstring text) {
  if (!hasCapital(prefix)) std::transform(text.begin(), text.end(), text.begin(), toLower);
  return text;
}

}  // namespace

std::vector<std::wstring> knownNames(localContextUTF8& context) {
  std::vector<std::wstring> names(std::begin(localKeywordWords), std::end(localKeywordWords));
  for (unsigned i = 0; i < context.funcCount(); ++i) names.push_back(context.funcByIdx(i).name);
  for (unsigned i = 0; i < context.varCount(); ++i) names.push_back(context.varByIdx(i)->name);
  for (std::wstring& name : names) name = localString::wstringToUpper(name);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::size_t wordStart(const std::wstring& line, std::size_t cursor) {
  std::size_t start = std::min(cursor, line.size());
  while (start > 0 && isWordChar(line[start - 1])) --start;
  return start;
}

result complete(const std::wstring& prefix, const std::vector<std::wstring>& names) {
  result found;
  if (prefix.empty()) return found;
  const std::wstring upper = localString::wstringToUpper(prefix);
  std::wstring common;
  bool first = true;
  for (const std::wstring& name : names) {
    if (name.size() < upper.size() || name.compare(0, upper.size(), upper) != 0) continue;
    found.matches.push_back(inCaseOf(prefix, name));
    if (first) {
      common = name;
      first = false;
    } else {
      const auto differ = std::mismatch(common.begin(), common.end(), name.begin(), name.end());
      common.erase(differ.first, common.end());
    }
  }
  if (!first) found.insert = inCaseOf(prefix, common.substr(upper.size()));
  return found;
}

}  // namespace localCompletion
