#pragma once
#include <string>

// The bytes a UTF-8 terminal sends, turned into the characters the line editor edits. A
// byte that is not part of a valid UTF-8 character becomes an escape character of its own
// (U+DC00 plus the byte, a code point no text holds), which the line keeps: the console
// then reports the line as not UTF-8 instead of silently losing the byte and the next.
class localKeyDecoder {
 public:
  // Takes one byte; appends the characters it completes (none while a character is
  // incomplete, several when a cut sequence is given up).
  void feed(char byte, std::wstring& keys);

 private:
  std::string pending_;
  std::size_t expected_ = 0;  // length of the character being read
};

// The bytes of an edited line: escape characters back to their bytes, the rest as UTF-8.
std::string localKeyLineBytes(const std::wstring& line);
