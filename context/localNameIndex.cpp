#include "context/localNameIndex.h"

#include <cstdint>

#include "text/localString.h"

std::size_t localNameIndex::caseBlindHash::operator()(std::wstring_view name) const {
  // FNV-1a over the upper-cased characters, in 64 bits also where size_t is narrower.
  std::uint64_t hash = 14695981039346656037ull;
  for (const wchar_t c : name) {
    hash ^= static_cast<std::uint64_t>(localString::wcharToUpper(c));
    hash *= 1099511628211ull;
  }
  return static_cast<std::size_t>(hash);
}

bool localNameIndex::caseBlindEqual::operator()(std::wstring_view left, std::wstring_view right) const {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (left[i] != right[i] && localString::wcharToUpper(left[i]) != localString::wcharToUpper(right[i])) return false;
  }
  return true;
}

std::size_t localNameIndex::find(std::wstring_view name) const {
  const auto found = positions_.find(name);
  return found == positions_.end() ? npos : found->second;
}

void localNameIndex::add(const std::wstring& name, std::size_t position) { positions_.emplace(name, position); }
