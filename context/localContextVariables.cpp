#include "context/localContextUTF8.h"
#include "text/localString.h"

localContextUTF8::variableDescription* localContextUTF8::varGetPointer(std::wstring name) {
  const std::wstring key = localString::wstringToUpper(name);
  for (variableDescription& variable : variables) {
    if (variable.name == key) return &variable;
  }
  return nullptr;
}

void localContextUTF8::varSetValue(std::wstring name, const localValueDescription* value) {
  if (value == nullptr) return;
  // Copy first: value may live inside the variables vector, which may grow below.
  const localValueDescription copy(*value);
  variableDescription* variable = varGetPointer(name);
  if (variable == nullptr) {
    variables.emplace_back();
    recordsChanged();
    variable = &variables.back();
    variable->name = localString::wstringToUpper(name);
  }
  variable->value.setVal(&copy);
}

void localContextUTF8::varSetValueNum(std::wstring name, double number) {
  localValueDescription value;
  value.setVal(number);
  varSetValue(std::move(name), &value);
}

void localContextUTF8::varSetValueWStr(std::wstring name, std::wstring text) {
  localValueDescription value;
  value.setVal(text);
  varSetValue(std::move(name), &value);
}

unsigned localContextUTF8::varCount() const { return static_cast<unsigned>(variables.size()); }

localContextUTF8::variableDescription* localContextUTF8::varByIdx(unsigned index) {
  if (index >= variables.size()) return nullptr;
  return &variables[index];
}

void localContextUTF8::varDeleteByIdx(unsigned index) {
  if (index >= variables.size()) return;
  variables.erase(variables.begin() + index);
  recordsChanged();
}

void localContextUTF8::cleaMemo() {
  variables.clear();
  recordsChanged();
}
