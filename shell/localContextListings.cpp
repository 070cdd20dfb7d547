#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "core/localTrace.h"
#include "text/localString.h"

// The listings of a context: functions, variables with every field of their values,
// classes with their members. A listing of a huge context stops at Ctrl-C; the command
// that asked for it then reports the interruption.

namespace {

std::string toBytes(const std::wstring& text) { return localString::wstringToStdStringMultibyte(text); }

// An empty template selects everything; otherwise names match case-insensitively.
bool matchesTemplate(const std::wstring& name, const std::wstring& pattern) {
  return pattern.empty() ||
         localString::wordCorrespondsToTemplate(localString::wstringToUpper(name),
                                                localString::wstringToUpper(pattern));
}

void printListHeader(const char* title, const std::wstring& pattern, const char* operation, unsigned line) {
  std::cout << "\n" << title;
  if (!pattern.empty()) std::cout << "с шаблоном имени [" << toBytes(pattern) << "]";
  localTraceOutput(L" func: ", operation, line);
}

std::wstring memberText(const localClassDeclaration::classMember& member) {
  if (member.execFunction != nullptr) {
    if (localString::trimL(member.name).empty()) return member.name + L"<конструктор>";
    return member.name + L"() : метод ";
  }
  std::wstring text = member.name + L" : аттрибут ";
  if (member.getFunction != nullptr) text += L" [readable] ";
  if (member.setFunction != nullptr) text += L" [writeable] ";
  return text;
}

void printClass(unsigned index, const localClassDeclaration& declaration) {
  std::wstring line = declaration.classSynonym + L" (" + declaration.className + L") ";
  line += declaration.classImplementation != nullptr ? L" реализация есть! " : L" реализации НЕТ! ";
  line += L" - " + declaration.description + L" ";
  std::cout << index << " " << toBytes(line) << "\n";

  std::vector<std::wstring> members;
  for (const localClassDeclaration::classMember* member : declaration.members)
    if (member != nullptr) members.push_back(memberText(*member));
  std::sort(members.begin(), members.end());
  if (!members.empty()) std::cout << ". члены класса : \n";
  for (unsigned k = 0; k < members.size(); ++k) std::cout << "... " << k << " " << toBytes(members[k]) << "\n";
  std::cout << "\n";
}

}  // namespace

void localContextUTF8::dispFunc(std::wstring pattern) {
  printListHeader("СПИСОК ФУНКЦИЙ ", pattern, "dispFunc", 2896);
  std::vector<std::wstring> names;
  for (unsigned i = 0; i < funcCount(); ++i) {
    std::wstring name = funcByIdx(i).name;
    if (matchesTemplate(name, pattern)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  for (unsigned i = 0; i < names.size() && !localInterruptRequested(); ++i)
    std::cout << i << " " << toBytes(names[i]) << "() \n";
  std::cout << "\n";
}

void localContextUTF8::dispMemo(std::wstring pattern) {
  printListHeader("СПИСОК ПЕРЕМЕННЫХ ", pattern, "dispMemo", 2920);
  std::vector<std::wstring> names;
  for (unsigned i = 0; i < varCount(); ++i) {
    const variableDescription* variable = varByIdx(i);
    if (variable != nullptr && matchesTemplate(variable->name, pattern)) names.push_back(variable->name);
  }
  std::sort(names.begin(), names.end());
  for (unsigned i = 0; i < names.size() && !localInterruptRequested(); ++i) {
    std::cout << i << " ";
    varPrintCOUT(names[i]);
  }
  std::cout << "\n";
}

void localContextUTF8::dispClas(std::wstring) {
  // Every class is listed, whatever template the caller had.
  std::cout << "СПИСОК КЛАССОВ \n\n";
  std::vector<std::wstring> names;
  for (unsigned i = 0; i < getClassCount(); ++i) {
    const localClassDeclaration* declaration = getClassDeclarationByIdx(i);
    if (declaration != nullptr) names.push_back(declaration->classSynonym);
  }
  std::sort(names.begin(), names.end());
  for (unsigned j = 0; j < names.size() && !localInterruptRequested(); ++j) {
    // The first registered class known by that name, compared exactly.
    for (unsigned i = 0; i < getClassCount(); ++i) {
      const localClassDeclaration* declaration = getClassDeclarationByIdx(i);
      if (declaration != nullptr &&
          (declaration->className == names[j] || declaration->classSynonym == names[j])) {
        printClass(j, *declaration);
        break;
      }
    }
  }
}

void localContextUTF8::dispCont() {
  dispFunc(L"");
  dispMemo(L"");
  dispClas(L"");
}

void localContextUTF8::varPrintCOUT(std::wstring name) {
  const variableDescription* found = varGetPointer(name);
  if (found == nullptr) {
    std::cout << "variable [" << toBytes(name) << "] not found!!! \n";
    return;
  }
  // Copies: the text form of an object runs a method, which must not be able to
  // invalidate a pointer into the variable list.
  const std::wstring storedName = found->name;
  const localValueDescription value = found->value;

  std::cout << "var [" << toBytes(storedName) << "] :    ";
  std::cout << " Type: [" << toBytes(value.getTypeName()) << "] ";
  if (value.getType() == localValueDescription::typeObject)
    std::cout << " className: [" << toBytes(value.getClassName()) << "] ";
  std::cout << " number: [" << toBytes(localString::doubleToStdWStringDefault(value.getNum())) << "] ";
  std::cout << " pointer: [" << toBytes(localString::pointerToStdWString(value.getObj())) << "] ";
  std::cout << " wStr: [" << toBytes(value.getStrRef()) << "] ";
  std::cout << " Value: [" << toBytes(value.toString()) << "] \n";
}
