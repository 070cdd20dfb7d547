// editors/keywords.txt is the one list from which the editor grammars and the playground's
// highlighting are generated. These tests hold it to the interpreter: the built-in
// function table, the classes, and the words the console completes, so that a new
// built-in or keyword cannot be missing from the grammars.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "app/localCompletion.h"
#include "lsp/localLspFeatures.h"
#include "classes/localClassDateTime.h"
#include "classes/localLoadableClasses.h"
#include "context/localBuiltinLibrary.h"
#include "context/localContextUTF8.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace {

using wordSet = std::set<std::wstring>;

// Group name -> upper-case words of both spellings.
std::map<std::string, wordSet> readKeywordList() {
  std::ifstream in(std::string(LOCALINTERP_SOURCE_DIR) + "/editors/keywords.txt", std::ios::binary);
  std::map<std::string, wordSet> groups;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string group;
    std::string english;
    std::string russian;
    fields >> group >> english >> russian;
    for (const std::string& spelling : {english, russian}) {
      if (spelling.empty() || spelling == "-") continue;
      std::wstring word;
      std::size_t bad = 0;
      EXPECT_TRUE(localString::utf8ToWstring(spelling, word, bad)) << line;
      EXPECT_EQ(word, localString::wstringToUpper(word)) << "words are listed in upper case: " << line;
      groups[group].insert(word);
    }
  }
  return groups;
}

std::string shown(const wordSet& words) {
  std::string text;
  for (const std::wstring& word : words) text += " " + localString::wstringToStdStringMultibyte(word);
  return text;
}

wordSet missingFrom(const wordSet& from, const wordSet& words) {
  wordSet missing;
  for (const std::wstring& word : words) {
    if (from.count(word) == 0) missing.insert(word);
  }
  return missing;
}

TEST(EditorKeywords, BuiltinsAreExactlyTheFunctionTable) {
  auto groups = readKeywordList();
  wordSet table;
  for (std::size_t i = 0; i < localBuiltin::entryCount(); ++i) {
    table.insert(localBuiltin::entries()[i].english);
    table.insert(localBuiltin::entries()[i].russian);
  }
  EXPECT_EQ(shown(missingFrom(groups["builtin"], table)), "") << "built-ins missing from editors/keywords.txt";
  EXPECT_EQ(shown(missingFrom(table, groups["builtin"])), "") << "listed built-ins the interpreter lacks";
}

TEST(EditorKeywords, WordsAgreeWithConsoleCompletion) {
  auto groups = readKeywordList();
  localContextUTF8 context;
  wordSet completed;
  for (const std::wstring& name : localCompletion::knownNames(context)) completed.insert(name);
  wordSet variables;
  for (unsigned i = 0; i < context.varCount(); ++i)
    variables.insert(localString::wstringToUpper(context.varByIdx(i)->name));

  wordSet listed;
  for (const char* group : {"statement", "command", "commandword", "builtin"})
    listed.insert(groups[group].begin(), groups[group].end());
  wordSet completedWords;
  for (const std::wstring& name : completed) {
    if (variables.count(name) == 0) completedWords.insert(name);
  }
  EXPECT_EQ(shown(missingFrom(listed, completedWords)), "") << "completed words missing from the list";
  EXPECT_EQ(shown(missingFrom(completedWords, listed)), "") << "listed words the console does not complete";
}

TEST(EditorKeywords, TheLanguageServerCompletesTheListedWords) {
  auto groups = readKeywordList();
  wordSet listed;
  for (const char* group : {"statement", "command", "commandword"}) listed.insert(groups[group].begin(), groups[group].end());
  const std::vector<std::wstring> offered = localLspFeatures::keywords();
  const wordSet completed(offered.begin(), offered.end());
  EXPECT_EQ(shown(missingFrom(listed, completed)), "") << "listed words the language server does not complete";
  EXPECT_EQ(shown(missingFrom(completed, listed)), "") << "completed words missing from the list";
}

TEST(EditorKeywords, ClassesExist) {
  auto groups = readKeywordList();
  ASSERT_FALSE(groups["class"].empty());
  const localClassDeclaration* date = localClassDateTime::getClassDeclaration();
  for (const std::wstring& name : groups["class"]) {
    const bool isDate = name == date->className || name == date->classSynonym;
    EXPECT_TRUE(isDate || localLoadableClassDeclaration(name) != nullptr)
        << localString::wstringToStdStringMultibyte(name);
  }
  EXPECT_EQ(groups["class"].count(date->className), 1u);
  EXPECT_EQ(groups["class"].count(date->classSynonym), 1u);
}

}  // namespace
