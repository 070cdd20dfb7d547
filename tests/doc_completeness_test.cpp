// The reference in doc/ documents every built-in function and every member of every
// class the interpreter registers, and names no function or member that does not exist.
// Functions are the ### headings of functions.md; classes the ## headings of classes.md,
// each followed by ### headings for its members; a heading names its subject in
// backticks, English name first.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "classes/localLoadableClasses.h"
#include "context/localContextUTF8.h"
#include "core/localClassDeclaration.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace {

namespace fs = std::filesystem;
using NameSet = std::set<std::wstring>;

const fs::path docDirectory = fs::path(LOCALINTERP_SOURCE_DIR) / "doc";

// Answered by the evaluator before the function table is asked: callable, documented,
// but no entry of the table.
const NameSet evaluatorNames = {L"FORMAT", L"ФОРМАТ", L"PI", L"M1ESSAGE", L"С1ООБЩИТЬ"};

std::vector<std::wstring> pageLines(const std::string& page) {
  std::ifstream in(docDirectory / page, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::wstring text;
  std::size_t badOffset = 0;
  EXPECT_TRUE(in.good() || in.eof()) << "cannot read doc/" << page;
  EXPECT_TRUE(localString::utf8ToWstring(bytes.str(), text, badOffset)) << page << ": not UTF-8 at " << badOffset;
  std::vector<std::wstring> lines;
  std::wistringstream split(text);
  std::wstring line;
  while (std::getline(split, line)) lines.push_back(line);
  return lines;
}

bool startsWith(const std::wstring& s, const std::wstring& prefix) { return s.rfind(prefix, 0) == 0; }

// The texts between pairs of backticks, upper-cased.
std::vector<std::wstring> codeSpans(const std::wstring& line) {
  std::vector<std::wstring> spans;
  std::size_t open = line.find(L'`');
  while (open != std::wstring::npos) {
    const std::size_t close = line.find(L'`', open + 1);
    if (close == std::wstring::npos) break;
    spans.push_back(line.substr(open + 1, close - open - 1));
    open = line.find(L'`', close + 1);
  }
  return spans;
}

NameSet headingNames(const std::wstring& heading) {
  NameSet names;
  for (const std::wstring& span : codeSpans(heading)) names.insert(localString::wstringToUpper(span));
  return names;
}

struct DocumentedClass {
  int line = 0;
  std::vector<std::wstring> names;  // English, Russian as the heading gives them
  NameSet members;
};

std::vector<DocumentedClass> documentedClasses() {
  std::vector<DocumentedClass> classes;
  const std::vector<std::wstring> lines = pageLines("classes.md");
  bool inFence = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (startsWith(lines[i], L"```")) inFence = !inFence;
    if (inFence) continue;
    if (startsWith(lines[i], L"## ")) {
      const std::vector<std::wstring> spans = codeSpans(lines[i]);
      if (spans.empty()) continue;  // a section that is no class
      DocumentedClass documented;
      documented.line = static_cast<int>(i) + 1;
      for (const std::wstring& span : spans) documented.names.push_back(localString::wstringToUpper(span));
      classes.push_back(documented);
    } else if (startsWith(lines[i], L"### ") && !classes.empty()) {
      const NameSet names = headingNames(lines[i]);
      classes.back().members.insert(names.begin(), names.end());
    }
  }
  return classes;
}

NameSet memberNames(const localClassDeclaration& declaration) {
  NameSet names;
  for (const localClassDeclaration::classMember* member : declaration.members) {
    if (!member->name.empty()) names.insert(member->name);  // the empty name is the constructor
  }
  return names;
}

std::string utf8(const std::wstring& text) { return localString::wstringToUtf8(text); }

std::string listed(const NameSet& names) {
  std::string text;
  for (const std::wstring& name : names) text += " " + utf8(name);
  return text;
}

// Names in a that b lacks.
NameSet missingFrom(const NameSet& a, const NameSet& b) {
  NameSet missing;
  for (const std::wstring& name : a) {
    if (b.count(name) == 0) missing.insert(name);
  }
  return missing;
}

NameSet registeredFunctions() {
  localContextUTF8 context;
  NameSet names = evaluatorNames;
  for (unsigned i = 0; i < context.funcCount(); ++i) names.insert(context.funcByIdx(i).name);
  return names;
}

// The declaration a documented class stands for: one registered at start-up or a
// loadable one, found by its English name.
localClassDeclaration* declarationOf(const localContextUTF8& context, const std::wstring& name) {
  if (localClassDeclaration* declaration = context.getClassDeclarationByName(name)) return declaration;
  return localLoadableClassDeclaration(name);
}

TEST(ReferenceCompleteness, FunctionHeadingsAreExactlyTheFunctions) {
  NameSet documented;
  const std::vector<std::wstring> lines = pageLines("functions.md");
  bool inFence = false;
  for (const std::wstring& line : lines) {
    if (startsWith(line, L"```")) inFence = !inFence;
    if (!inFence && startsWith(line, L"### ")) {
      const NameSet names = headingNames(line);
      EXPECT_FALSE(names.empty()) << "a function heading names no function: " << utf8(line);
      documented.insert(names.begin(), names.end());
    }
  }
  const NameSet registered = registeredFunctions();
  EXPECT_GT(registered.size(), evaluatorNames.size());
  EXPECT_TRUE(missingFrom(registered, documented).empty())
      << "functions without a heading in doc/functions.md:" << listed(missingFrom(registered, documented));
  EXPECT_TRUE(missingFrom(documented, registered).empty())
      << "doc/functions.md documents functions that do not exist:" << listed(missingFrom(documented, registered));
}

TEST(ReferenceCompleteness, ClassSectionsAreExactlyTheClassesAndTheirMembers) {
  const localContextUTF8 context;
  const std::vector<DocumentedClass> documented = documentedClasses();
  NameSet documentedNames;
  for (const DocumentedClass& entry : documented) {
    SCOPED_TRACE("doc/classes.md:" + std::to_string(entry.line));
    ASSERT_EQ(entry.names.size(), 2u) << "a class heading gives the English and the Russian name";
    documentedNames.insert(entry.names.begin(), entry.names.end());
    const localClassDeclaration* declaration = declarationOf(context, entry.names[0]);
    ASSERT_NE(declaration, nullptr) << "no class " << utf8(entry.names[0]);
    EXPECT_EQ(utf8(entry.names[0]), utf8(declaration->className));
    EXPECT_EQ(utf8(entry.names[1]), utf8(declaration->classSynonym));
    const NameSet members = memberNames(*declaration);
    EXPECT_TRUE(missingFrom(members, entry.members).empty())
        << "members without a heading:" << listed(missingFrom(members, entry.members));
    EXPECT_TRUE(missingFrom(entry.members, members).empty())
        << "headings of members that do not exist:" << listed(missingFrom(entry.members, members));
  }
  for (unsigned i = 0; i < context.getClassCount(); ++i) {
    const std::wstring name = context.getClassDeclarationByIdx(i)->className;
    EXPECT_EQ(documentedNames.count(name), 1u) << "class registered at start-up is not documented: " << utf8(name);
  }
  for (const localLoadableClass& loadable : localLoadableClassTable()) {
    EXPECT_EQ(documentedNames.count(loadable.english), 1u) << "loadable class not documented: " << utf8(loadable.english);
    EXPECT_EQ(documentedNames.count(loadable.russian), 1u) << "loadable class not documented: " << utf8(loadable.russian);
  }
}

bool isNameCharacter(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' ||
         (c >= 0x0400 && c <= 0x04FF);
}

// In the prose of every page, a name written in upper case directly before "(" inside
// backticks (`STRLEN(text)`, `t.NEWLINE()`) is a function or a member that exists.
// Examples may call what does not exist, to show the failure; prose may not.
TEST(ReferenceCompleteness, ProseCallsOnlyWhatExists) {
  NameSet known = registeredFunctions();
  const localContextUTF8 context;
  for (const DocumentedClass& entry : documentedClasses()) {
    if (const localClassDeclaration* declaration = declarationOf(context, entry.names[0])) {
      const NameSet members = memberNames(*declaration);
      known.insert(members.begin(), members.end());
    }
  }
  std::error_code error;
  for (const auto& file : fs::directory_iterator(docDirectory, error)) {
    if (file.path().extension() != ".md") continue;
    const std::vector<std::wstring> lines = pageLines(file.path().filename().string());
    bool inFence = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (startsWith(lines[i], L"```")) inFence = !inFence;
      if (inFence) continue;
      for (const std::wstring& span : codeSpans(lines[i])) {
        for (std::size_t open = span.find(L'('); open != std::wstring::npos; open = span.find(L'(', open + 1)) {
          std::size_t start = open;
          while (start > 0 && isNameCharacter(span[start - 1])) --start;
          const std::wstring name = span.substr(start, open - start);
          if (name.size() < 2 || name != localString::wstringToUpper(name)) continue;  // F(1), Show()
          EXPECT_EQ(known.count(name), 1u) << file.path().filename().string() << ":" << i + 1
                                           << ": names a function or member that does not exist: " << utf8(name);
        }
      }
    }
  }
}

}  // namespace
