#pragma once
// One program file as the debugger shows it: its name, its text and where its lines
// start, so that a position in the text becomes a line at the cost of a binary search.
#include <string>
#include <unordered_map>
#include <vector>

class localOperatorCompiled;

class localDebugSource {
 public:
  localDebugSource(std::wstring file, std::wstring text);

  const std::wstring& file() const { return file_; }
  unsigned lineCount() const { return static_cast<unsigned>(lineStarts_.size()); }
  // The line (from 1) of a position in the text; the last line for a position past it.
  unsigned lineOf(unsigned position) const;
  // The text of a line (from 1) without its line end; empty outside the text.
  std::wstring lineText(unsigned line) const;
  const std::wstring& text() const { return text_; }

  // Where each statement of the file starts in the text (see localDebugPlaces::learn).
  std::unordered_map<const localOperatorCompiled*, unsigned> statementPositions;

 private:
  std::wstring file_;
  std::wstring text_;
  std::vector<unsigned> lineStarts_;
};
