#include "lsp/localLspOutline.h"

#include <algorithm>

#include "text/localString.h"

namespace localLspOutline {

namespace {

enum class tokenKind { word, number, text, comment, symbol };

struct token {
  tokenKind kind;
  std::size_t start;
  std::size_t end;
};

// The tokens of text[0, limit); a comment or string that runs past limit ends at it.
std::vector<token> tokens(const std::wstring& text, std::size_t limit) {
  std::vector<token> found;
  limit = std::min(limit, text.size());
  std::size_t at = 0;
  while (at < limit) {
    const wchar_t c = text[at];
    const std::size_t start = at;
    if (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r') {
      ++at;
      continue;
    }
    if (c == L'/' && at + 1 < limit && text[at + 1] == L'/') {
      while (at < limit && text[at] != L'\n') ++at;
      found.push_back({tokenKind::comment, start, at});
    } else if (c == L'\'' || c == L'"') {
      const std::size_t close = text.find(c, at + 1);
      at = close == std::wstring::npos || close >= limit ? limit : close + 1;
      found.push_back({tokenKind::text, start, at});
    } else if (c >= L'0' && c <= L'9') {
      while (at < limit && ((text[at] >= L'0' && text[at] <= L'9') || text[at] == L'.')) ++at;
      found.push_back({tokenKind::number, start, at});
    } else if (isWordChar(c)) {
      while (at < limit && isWordChar(text[at])) ++at;
      found.push_back({tokenKind::word, start, at});
    } else {
      ++at;
      // The two-character comparisons, so that the '=' of `a >= b` is not an assignment's.
      if (at < limit && ((c == L'<' && (text[at] == L'>' || text[at] == L'=')) || (c == L'>' && text[at] == L'=')))
        ++at;
      found.push_back({tokenKind::symbol, start, at});
    }
  }
  return found;
}

class reader {
 public:
  explicit reader(const std::wstring& text) : text_(text), tokens_(tokens(text, text.size())) {
    tokens_.erase(std::remove_if(tokens_.begin(), tokens_.end(),
                                 [](const token& t) { return t.kind == tokenKind::comment; }),
                  tokens_.end());
  }

  outline read() {
    bool atStart = true;
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
      const bool startHere = atStart;
      atStart = false;
      const token& t = tokens_[i];
      if (t.kind == tokenKind::symbol) {
        atStart = isSymbol(i, L";");
        continue;
      }
      if (t.kind != tokenKind::word) continue;
      const std::wstring upper = localString::wstringToUpper(textOf(t));
      if (isOneOf(upper, {L"FUNCTION", L"PROCEDURE", L"ФУНКЦИЯ", L"ПРОЦЕДУРА"}) && isWord(i + 1) &&
          isSymbol(i + 2, L"(")) {
        i = declaration(i, upper == L"FUNCTION" || upper == L"ФУНКЦИЯ");
        atStart = true;
      } else if (isOneOf(upper, {L"ENDFUNCTION", L"ENDPROCEDURE", L"КОНЕЦФУНКЦИИ", L"КОНЕЦПРОЦЕДУРЫ"})) {
        if (!open_.empty()) {
          result_.procedures[open_.back()].whole.end = t.end;
          open_.pop_back();
        }
      } else if (isOneOf(upper, {L"THEN", L"ELSE", L"DO", L"ТОГДА", L"ИНАЧЕ", L"ЦИКЛ"})) {
        atStart = true;
      } else if ((upper == L"FOR" || upper == L"ДЛЯ") && isWord(i + 1)) {
        addVariable(textOf(tokens_[i + 1]));
      } else if (startHere && isSymbol(i + 1, L"=")) {
        assignment(i);
      }
    }
    for (const std::size_t index : open_) result_.procedures[index].whole.end = text_.size();
    return std::move(result_);
  }

 private:
  std::wstring textOf(const token& t) const { return text_.substr(t.start, t.end - t.start); }
  bool isWord(std::size_t i) const { return i < tokens_.size() && tokens_[i].kind == tokenKind::word; }
  bool isSymbol(std::size_t i, const wchar_t* symbol) const {
    return i < tokens_.size() && tokens_[i].kind == tokenKind::symbol && textOf(tokens_[i]) == symbol;
  }
  static bool isOneOf(const std::wstring& word, std::initializer_list<const wchar_t*> words) {
    return std::any_of(words.begin(), words.end(), [&](const wchar_t* w) { return word == w; });
  }

  void addVariable(const std::wstring& name) {
    const std::wstring upper = localString::wstringToUpper(name);
    if (std::none_of(result_.variables.begin(), result_.variables.end(),
                     [&](const std::wstring& known) { return localString::wstringToUpper(known) == upper; }))
      result_.variables.push_back(name);
  }

  // `KEYWORD name(parameters)` at token i; returns the index of its last token.
  std::size_t declaration(std::size_t i, bool isFunction) {
    procedure found;
    found.isFunction = isFunction;
    found.name = textOf(tokens_[i + 1]);
    found.nameSpan = {tokens_[i + 1].start, tokens_[i + 1].end};
    found.whole = {tokens_[i].start, text_.size()};
    std::size_t at = i + 3;
    for (; at < tokens_.size() && !isSymbol(at, L")") && !isSymbol(at, L";"); ++at) {
      if (isWord(at)) {
        found.parameters.push_back(textOf(tokens_[at]));
        addVariable(found.parameters.back());
      }
    }
    open_.push_back(result_.procedures.size());
    result_.procedures.push_back(std::move(found));
    return std::min(at, tokens_.size() - 1);
  }

  // `name = ...` at the start of a statement, at token i.
  void assignment(std::size_t i) {
    const std::wstring name = textOf(tokens_[i]);
    addVariable(name);
    const std::wstring upper = localString::wstringToUpper(name);
    if (isWord(i + 2) && isSymbol(i + 3, L"(") && i + 4 < tokens_.size() && tokens_[i + 4].kind == tokenKind::text) {
      const std::wstring callee = localString::wstringToUpper(textOf(tokens_[i + 2]));
      if (callee == L"CREATEOBJECT" || callee == L"СОЗДАТЬОБЪЕКТ") {
        const token& literal = tokens_[i + 4];
        std::wstring className = text_.substr(literal.start + 1, literal.end - literal.start - 1);
        if (!className.empty() && className.back() == text_[literal.start]) className.pop_back();
        result_.objects[upper] = localString::wstringToUpper(localString::trimR(localString::trimL(className)));
        return;
      }
    }
    // `copy = t;` makes copy the same object; any other value makes it none.
    if (isWord(i + 2) && (i + 3 >= tokens_.size() || isSymbol(i + 3, L";"))) {
      const auto source = result_.objects.find(localString::wstringToUpper(textOf(tokens_[i + 2])));
      if (source != result_.objects.end()) {
        const std::wstring className = source->second;
        result_.objects[upper] = className;
        return;
      }
    }
    result_.objects.erase(upper);
  }

  const std::wstring& text_;
  std::vector<token> tokens_;
  outline result_;
  std::vector<std::size_t> open_;  // declarations not yet closed, innermost last
};

}  // namespace

bool isWordChar(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' ||
         c == 0x0401 || (c >= 0x0410 && c <= 0x044F) || c == 0x0451;
}

outline read(const std::wstring& text) { return reader(text).read(); }

span wordAt(const std::wstring& text, std::size_t offset) {
  offset = std::min(offset, text.size());
  std::size_t start = offset;
  while (start > 0 && isWordChar(text[start - 1])) --start;
  std::size_t end = offset;
  while (end < text.size() && isWordChar(text[end])) ++end;
  return {start, end};
}

std::wstring objectBefore(const std::wstring& text, std::size_t wordStart) {
  wordStart = std::min(wordStart, text.size());
  if (wordStart == 0 || text[wordStart - 1] != L'.') return {};
  const span object = wordAt(text, wordStart - 1);
  return text.substr(object.start, object.end - object.start);
}

bool inCommentOrString(const std::wstring& text, std::size_t offset) {
  for (const token& t : tokens(text, offset)) {
    if ((t.kind == tokenKind::comment || t.kind == tokenKind::text) && offset > t.start && offset <= t.end) {
      // A closed string ends before its closing quote; at the quote's far side it is over.
      if (t.kind == tokenKind::text && t.end - t.start >= 2 && offset == t.end && text[t.end - 1] == text[t.start])
        return false;
      return true;
    }
  }
  return false;
}

call callAt(const std::wstring& text, std::size_t offset) {
  struct bracket {
    bool isCall;
    std::wstring object;
    std::wstring name;
    unsigned commas;
  };
  std::vector<bracket> open;
  const std::vector<token> found = tokens(text, offset);
  for (std::size_t i = 0; i < found.size(); ++i) {
    const token& t = found[i];
    if (t.kind != tokenKind::symbol) continue;
    const wchar_t c = text[t.start];
    if (c == L';') {
      open.clear();
    } else if (c == L'(') {
      bracket entry{false, {}, {}, 0};
      if (i > 0 && found[i - 1].kind == tokenKind::word) {
        entry.isCall = true;
        entry.name = text.substr(found[i - 1].start, found[i - 1].end - found[i - 1].start);
        entry.object = objectBefore(text, found[i - 1].start);
      }
      open.push_back(std::move(entry));
    } else if (c == L')') {
      if (!open.empty()) open.pop_back();
    } else if (c == L',' && !open.empty()) {
      ++open.back().commas;
    }
  }
  for (auto entry = open.rbegin(); entry != open.rend(); ++entry) {
    if (entry->isCall) return {true, entry->object, entry->name, entry->commas};
  }
  return {};
}

}  // namespace localLspOutline
