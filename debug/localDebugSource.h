#pragma once
// One program file as the debugger shows it: its name, its lines, and the lines that
// hold statements.
#include <set>
#include <string>
#include <vector>

class localDebugSource {
 public:
  localDebugSource(std::wstring file, std::wstring text);

  const std::wstring& file() const { return file_; }
  unsigned lineCount() const { return static_cast<unsigned>(lineStarts_.size()); }
  // The text of a line (from 1) without its line end; empty outside the text.
  std::wstring lineText(unsigned line) const;

  // The lines that hold a statement (see localDebugPlaces::learn).
  std::set<unsigned> statementLines;

 private:
  std::wstring file_;
  std::wstring text_;
  std::vector<unsigned> lineStarts_;
};
