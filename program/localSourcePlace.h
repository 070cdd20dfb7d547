#pragma once
// Where a piece of a program stands in its source file, and how a node's text maps back to
// it. Lines and columns count from 1, as the closing line of a failed run prints them.
#include <cstdint>
#include <string>
#include <vector>

struct localSourcePlace {
  std::uint32_t line = 0;    // 0: no place known
  std::uint32_t column = 0;
  // The instruction begins a statement (or a condition a statement tests): where a
  // debugger stops.
  bool statementStart = false;
};

// A stretch of a node's text copied unchanged from the source: `length` characters from
// offset `from`, the first of them at `place`. A text built by the compiler (the loop
// condition of a FOR, the brackets around a WHILE's) has stretches only where it repeats
// the source; the rest of it stands at the node's own place.
struct localTextSpan {
  unsigned from = 0;
  unsigned length = 0;
  localSourcePlace place;
};

// The place of the character at offset in text, given the spans text was made of;
// `fallback` when no span holds it.
inline localSourcePlace localPlaceInText(const std::wstring& text, const std::vector<localTextSpan>& spans,
                                         unsigned offset, localSourcePlace fallback) {
  for (const localTextSpan& span : spans) {
    if (offset < span.from || offset - span.from >= span.length || offset >= text.size()) continue;
    localSourcePlace place = span.place;
    place.statementStart = false;
    for (unsigned i = span.from; i < offset; ++i) {
      if (text[i] == L'\n') {
        ++place.line;
        place.column = 1;
      } else {
        ++place.column;
      }
    }
    return place;
  }
  fallback.statementStart = false;
  return fallback;
}
