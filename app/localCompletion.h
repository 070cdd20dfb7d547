#pragma once
#include <cstddef>
#include <string>
#include <vector>

class localContextUTF8;

// Tab completion at the console prompt: the word before the cursor is completed from
// the keywords, the console commands, the functions of the context (both spellings of
// every built-in one, and the user's) and the current variables.
namespace localCompletion {

// Every name that completes, upper-cased, sorted, each once.
std::vector<std::wstring> knownNames(localContextUTF8& context);

// Where the word that ends at the cursor begins.
std::size_t wordStart(const std::wstring& line, std::size_t cursor);

struct result {
  std::wstring insert;                // what to add after the typed prefix
  std::vector<std::wstring> matches;  // every name the prefix fits, as the user would see them
};

// Completes `prefix` from `names` (upper case): the longest common continuation of the
// names it fits, written in lower case when the prefix has no capital letter.
result complete(const std::wstring& prefix, const std::vector<std::wstring>& names);

}  // namespace localCompletion
