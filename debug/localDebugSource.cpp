#include "debug/localDebugSource.h"

#include <utility>

localDebugSource::localDebugSource(std::wstring file, std::wstring text)
    : file_(std::move(file)), text_(std::move(text)) {
  lineStarts_.push_back(0);
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == L'\n' && i + 1 < text_.size()) lineStarts_.push_back(static_cast<unsigned>(i + 1));
  }
}

std::wstring localDebugSource::lineText(unsigned line) const {
  if (line == 0 || line > lineStarts_.size()) return std::wstring();
  const std::size_t start = lineStarts_[line - 1];
  std::size_t end = text_.find(L'\n', start);
  if (end == std::wstring::npos) end = text_.size();
  if (end > start && text_[end - 1] == L'\r') --end;
  return text_.substr(start, end - start);
}
