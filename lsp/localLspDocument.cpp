#include "lsp/localLspDocument.h"

#include <algorithm>
#include <cstdint>

namespace {

// Characters beyond the 16-bit plane take two UTF-16 code units.
std::size_t unitsOf(wchar_t c) { return static_cast<std::uint32_t>(c) > 0xFFFF ? 2 : 1; }

}  // namespace

localLspDocument::localLspDocument(std::wstring text, long long version) : text_(std::move(text)), version_(version) {
  indexLines();
}

void localLspDocument::indexLines() {
  lineStarts_.assign(1, 0);
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == L'\n') lineStarts_.push_back(i + 1);
  }
}

std::size_t localLspDocument::lineEnd(std::size_t line) const {
  std::size_t end = line + 1 < lineStarts_.size() ? lineStarts_[line + 1] - 1 : text_.size();
  if (end > lineStarts_[line] && text_[end - 1] == L'\r' && end < text_.size()) --end;
  return end;
}

std::size_t localLspDocument::offsetOf(std::size_t line, std::size_t character) const {
  if (line >= lineStarts_.size()) return text_.size();
  const std::size_t end = lineEnd(line);
  std::size_t offset = lineStarts_[line];
  std::size_t units = 0;
  while (offset < end && units + unitsOf(text_[offset]) <= character) {
    units += unitsOf(text_[offset]);
    ++offset;
  }
  return offset;
}

void localLspDocument::positionOf(std::size_t offset, std::size_t& line, std::size_t& character) const {
  offset = std::min(offset, text_.size());
  const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  line = static_cast<std::size_t>(after - lineStarts_.begin()) - 1;
  character = 0;
  for (std::size_t i = lineStarts_[line]; i < offset; ++i) character += unitsOf(text_[i]);
}

void localLspDocument::replace(std::size_t start, std::size_t end, const std::wstring& with) {
  start = std::min(start, text_.size());
  end = std::clamp(end, start, text_.size());
  text_.replace(start, end - start, with);
  indexLines();
}

void localLspDocument::replaceAll(std::wstring text) {
  text_ = std::move(text);
  indexLines();
}
