#include "lsp/localLspReference.h"

#include <algorithm>

#include "lsp/localLspReferencePages.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace localLspReference {

namespace {

std::vector<std::wstring> linesOf(const std::wstring& page) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start <= page.size()) {
    std::size_t end = page.find(L'\n', start);
    if (end == std::wstring::npos) end = page.size();
    std::wstring line = page.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool startsWith(const std::wstring& text, const std::wstring& prefix) { return text.rfind(prefix, 0) == 0; }

std::vector<std::wstring> codeSpans(const std::wstring& text) {
  std::vector<std::wstring> spans;
  std::size_t open = text.find(L'`');
  while (open != std::wstring::npos) {
    const std::size_t close = text.find(L'`', open + 1);
    if (close == std::wstring::npos) break;
    spans.push_back(text.substr(open + 1, close - open - 1));
    open = text.find(L'`', close + 1);
  }
  return spans;
}

std::vector<std::wstring> headingNames(const std::wstring& heading) {
  std::vector<std::wstring> names;
  for (const std::wstring& span : codeSpans(heading)) names.push_back(localString::wstringToUpper(span));
  return names;
}

// Links to other pages of the reference lead nowhere in an editor: their text stays.
std::wstring withoutPageLinks(std::wstring text) {
  std::size_t open = text.find(L'[');
  while (open != std::wstring::npos) {
    const std::size_t middle = text.find(L"](", open);
    const std::size_t close = middle == std::wstring::npos ? middle : text.find(L')', middle);
    if (close == std::wstring::npos) break;
    const std::wstring target = text.substr(middle + 2, close - middle - 2);
    if (text.find(L'\n', open) < middle || target.find(L".md") == std::wstring::npos || target.rfind(L"http", 0) == 0) {
      open = text.find(L'[', open + 1);
      continue;
    }
    text.replace(open, close + 1 - open, text.substr(open + 1, middle - open - 1));
    open = text.find(L'[', open);
  }
  return text;
}

// A section of a page: its heading's level and the text under it up to the first example
// or the next heading.
struct section {
  int level = 0;
  std::vector<std::wstring> names;
  std::wstring description;
};

std::vector<section> sectionsOf(const std::wstring& page) {
  std::vector<section> found;
  bool inFence = false;
  bool described = true;  // the current section's text is complete
  for (const std::wstring& line : linesOf(page)) {
    if (startsWith(line, L"```")) {
      inFence = !inFence;
      described = true;
      continue;
    }
    if (inFence) continue;
    const int level = startsWith(line, L"### ") ? 3 : startsWith(line, L"## ") ? 2 : startsWith(line, L"# ") ? 1 : 0;
    if (level > 0) {
      found.push_back({level, headingNames(line), {}});
      described = false;
      continue;
    }
    if (described || found.empty()) continue;
    std::wstring& text = found.back().description;
    if (line.empty() && text.empty()) continue;
    text += line;
    text += L'\n';
  }
  for (section& s : found) {
    s.description = withoutPageLinks(std::move(s.description));
    while (!s.description.empty() && (s.description.back() == L'\n' || s.description.back() == L' '))
      s.description.pop_back();
  }
  return found;
}

// The callable name a signature writes: `t.NEWLINE(position)` names NEWLINE.
std::wstring calledName(const std::wstring& span) {
  const std::size_t bracket = span.find(L'(');
  std::wstring head = span.substr(0, bracket);
  const std::size_t dot = head.rfind(L'.');
  if (dot != std::wstring::npos) head.erase(0, dot + 1);
  return localString::wstringToUpper(head);
}

entry entryOf(const section& s) {
  entry made{s.names, {}, s.description, false};
  const std::size_t paragraphEnd = s.description.find(L"\n\n");
  const std::wstring first = s.description.substr(0, paragraphEnd);
  for (const std::wstring& span : codeSpans(first)) {
    const std::wstring name = calledName(span);
    if (std::find(s.names.begin(), s.names.end(), name) == s.names.end()) continue;
    if (span.find(L'(') == std::wstring::npos) {
      made.isAttribute = true;
    } else if (std::find(made.signatures.begin(), made.signatures.end(), span) == made.signatures.end()) {
      made.signatures.push_back(span);
    }
  }
  if (made.signatures.empty() && !made.isAttribute && !made.names.empty())
    made.signatures.push_back(made.names.front() + L"()");
  if (!made.signatures.empty()) made.isAttribute = false;
  return made;
}

std::wstring wide(const char* utf8) { return localString::utf8ToWstringLenient(utf8); }

bool named(const std::vector<std::wstring>& names, const std::wstring& upperName) {
  return std::find(names.begin(), names.end(), upperName) != names.end();
}

}  // namespace

std::vector<entry> parseFunctions(const std::wstring& page) {
  std::vector<entry> found;
  for (const section& s : sectionsOf(page)) {
    if (s.level == 3 && !s.names.empty()) found.push_back(entryOf(s));
  }
  return found;
}

std::vector<classEntry> parseClasses(const std::wstring& page) {
  std::vector<classEntry> found;
  bool inClass = false;
  for (const section& s : sectionsOf(page)) {
    if (s.level <= 2) {
      inClass = s.level == 2 && !s.names.empty();
      if (inClass) found.push_back({s.names, s.description, {}});
    } else if (inClass && !s.names.empty()) {
      found.back().members.push_back(entryOf(s));
    }
  }
  return found;
}

const std::vector<entry>& functions() {
  static const std::vector<entry> parsed = parseFunctions(wide(localLspFunctionsPage));
  return parsed;
}

const std::vector<classEntry>& classes() {
  static const std::vector<classEntry> parsed = parseClasses(wide(localLspClassesPage));
  return parsed;
}

namespace {

const std::vector<entry>& russianFunctions() {
  static const std::vector<entry> parsed = parseFunctions(wide(localLspRussianFunctionsPage));
  return parsed;
}

const std::vector<classEntry>& russianClasses() {
  static const std::vector<classEntry> parsed = parseClasses(wide(localLspRussianClassesPage));
  return parsed;
}

bool isRussian(const std::wstring& name) {
  return std::any_of(name.begin(), name.end(), [](wchar_t c) { return c >= 0x0400 && c <= 0x04FF; });
}

const entry* entryNamed(const std::vector<entry>& entries, const std::wstring& upperName) {
  for (const entry& e : entries) {
    if (named(e.names, upperName)) return &e;
  }
  return nullptr;
}

const classEntry* classIn(const std::vector<classEntry>& list, const std::wstring& upperName) {
  for (const classEntry& c : list) {
    if (named(c.names, upperName)) return &c;
  }
  return nullptr;
}

// The Russian page's entry where the name is Russian and the page explains it.
const entry* inLanguageOf(const std::wstring& upperName, const entry* russian, const entry* english) {
  return isRussian(upperName) && russian != nullptr ? russian : english;
}

}  // namespace

const entry* function(const std::wstring& upperName) {
  const entry* english = entryNamed(functions(), upperName);
  if (english == nullptr) return nullptr;
  return inLanguageOf(upperName, entryNamed(russianFunctions(), upperName), english);
}

const classEntry* classNamed(const std::wstring& upperName) { return classIn(classes(), upperName); }

const entry* member(const classEntry& owner, const std::wstring& upperName) {
  const entry* english = entryNamed(owner.members, upperName);
  if (english == nullptr || owner.names.empty()) return english;
  const classEntry* russianOwner = classIn(russianClasses(), owner.names.front());
  return inLanguageOf(upperName, russianOwner == nullptr ? nullptr : entryNamed(russianOwner->members, upperName),
                      english);
}

std::vector<std::wstring> parameters(const std::wstring& signature) {
  std::vector<std::wstring> found;
  const std::size_t open = signature.find(L'(');
  const std::size_t close = signature.rfind(L')');
  if (open == std::wstring::npos || close == std::wstring::npos || close <= open + 1) return found;
  const std::wstring inside = signature.substr(open + 1, close - open - 1);
  std::size_t start = 0;
  while (start <= inside.size()) {
    std::size_t comma = inside.find(L',', start);
    if (comma == std::wstring::npos) comma = inside.size();
    std::wstring part = localString::trimR(localString::trimL(inside.substr(start, comma - start)));
    if (!part.empty()) found.push_back(std::move(part));
    start = comma + 1;
  }
  return found;
}

}  // namespace localLspReference
