#pragma once
#include <string>
#include <vector>

#include "check/localCheck.h"
#include "check/localCheckTokens.h"

class localContextUTF8;

// The rules behind the warnings, one function each; every rule appends what it finds.
namespace localCheck {

struct programFacts {
  const tokenizedText* text = nullptr;
  std::vector<std::wstring> declared;  // upper-case names of the file's functions and procedures
  std::vector<std::wstring> loopVariables;
  localContextUTF8* context = nullptr;  // built-in functions are looked up here
  bool isDeclared(const std::wstring& upper) const;
};

programFacts gatherFacts(const tokenizedText& text, localContextUTF8& context);

void findIgnoredParameters(const programFacts& facts, std::vector<diagnostic>& found);
void findReturnValues(const programFacts& facts, std::vector<diagnostic>& found);
void findCallArguments(const programFacts& facts, std::vector<diagnostic>& found);
void findOperatorBinding(const programFacts& facts, std::vector<diagnostic>& found);
void findSortByNumbers(const programFacts& facts, std::vector<diagnostic>& found);
void findCommandWords(const programFacts& facts, std::vector<diagnostic>& found);
void findUndeclaredCalls(const programFacts& facts, std::vector<diagnostic>& found);

}  // namespace localCheck
