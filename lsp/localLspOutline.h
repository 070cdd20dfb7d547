#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

// What an editor needs to know of a program text without compiling it: its procedures
// and functions with their parameters and places, the variables it assigns, which of
// them it makes objects of a class (`t = CREATEOBJECT('VALUETABLE')`), and the word or
// call at a position. Read by a tolerant token scan, so a text being typed, broken
// anywhere, still gives what can be seen in it.
namespace localLspOutline {

// Offsets into the text: [start, end).
struct span {
  std::size_t start = 0;
  std::size_t end = 0;
};

struct procedure {
  std::wstring name;  // as written in the declaration
  bool isFunction = false;
  std::vector<std::wstring> parameters;
  span whole;     // from the keyword to the end of the closing keyword (or of the text)
  span nameSpan;  // the name in the declaration
};

struct outline {
  std::vector<procedure> procedures;
  std::vector<std::wstring> variables;          // each once, spelled as first assigned
  std::map<std::wstring, std::wstring> objects;  // upper-case variable -> upper-case class
};

outline read(const std::wstring& text);

bool isWordChar(wchar_t c);

// The word that the offset is in or just after; an empty span at offset when none.
span wordAt(const std::wstring& text, std::size_t offset);

// The name before `.word` when the word at offset (or the empty word at it) follows a dot:
// for `t.NEW|` it is `t`. Empty when the word follows no dot.
std::wstring objectBefore(const std::wstring& text, std::size_t wordStart);

// Whether the offset lies inside a comment or a string literal.
bool inCommentOrString(const std::wstring& text, std::size_t offset);

// The innermost call whose argument list is open at offset: `name` (and `object` for
// `obj.method(`), and the index of the argument the offset is in. Found false when the
// offset is in no argument list.
struct call {
  bool found = false;
  std::wstring object;
  std::wstring name;
  unsigned argument = 0;
};
call callAt(const std::wstring& text, std::size_t offset);

}  // namespace localLspOutline
