#pragma once
#include <cstddef>
#include <string>
#include <vector>

// An open document's text and the arithmetic between editor positions (line, and
// character counted in UTF-16 code units, as the language server protocol counts them)
// and offsets into the text. Positions past a line's end or the text's end are clamped.
class localLspDocument {
 public:
  localLspDocument(std::wstring text, long long version);
  const std::wstring& text() const { return text_; }
  long long version() const { return version_; }
  void setVersion(long long version) { version_ = version; }

  std::size_t offsetOf(std::size_t line, std::size_t character) const;
  void positionOf(std::size_t offset, std::size_t& line, std::size_t& character) const;
  // Replaces text[start, end) (an edit of the editor's).
  void replace(std::size_t start, std::size_t end, const std::wstring& with);
  void replaceAll(std::wstring text);

 private:
  void indexLines();
  std::size_t lineEnd(std::size_t line) const;  // the offset of its line feed or of the text's end

  std::wstring text_;
  long long version_;
  std::vector<std::size_t> lineStarts_;
};
