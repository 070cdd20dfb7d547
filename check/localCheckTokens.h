#pragma once
#include <string>
#include <vector>

// The tokens of a program text as the checker sees them: names, numbers, strings and
// single operator characters, each with its line and column (from 1), and the comments
// of each line, where a warning may be silenced.
namespace localCheck {

enum class tokenKind { name, number, string, symbol };

struct token {
  tokenKind kind = tokenKind::symbol;
  std::wstring text;   // as written; a name also in upper case in `upper`
  std::wstring upper;  // names only
  unsigned line = 0;
  unsigned column = 0;
  unsigned endColumn = 0;  // one past the last character, on the same line
  bool is(const wchar_t* word) const { return kind == tokenKind::name && upper == word; }
  bool isSymbol(wchar_t c) const { return kind == tokenKind::symbol && text.size() == 1 && text[0] == c; }
};

struct tokenizedText {
  std::vector<token> tokens;
  std::vector<std::wstring> comments;  // by line from 1 (index 0 unused): the text after "//"
};

tokenizedText tokenize(const std::wstring& text);

// Letters of names: Latin, Cyrillic, digits and "_".
bool isNameChar(wchar_t c);

}  // namespace localCheck
