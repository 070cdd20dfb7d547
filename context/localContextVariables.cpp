#include <utility>

#include "context/localContextUTF8.h"
#include "text/localString.h"

std::size_t localContextUTF8::varFind(std::wstring_view name) const { return variableIndex.find(name); }

localContextUTF8::variableDescription* localContextUTF8::varGetPointer(std::wstring_view name) {
  const std::size_t position = variableIndex.find(name);
  return position == npos ? nullptr : &variables[position];
}

void localContextUTF8::varSetValue(std::wstring_view name, const localValueDescription* value) {
  if (value == nullptr) return;
  // Copy before creating: value may live inside the variables vector, which may grow.
  varSetValue(name, localValueDescription(*value));
}

void localContextUTF8::varSetValue(std::wstring_view name, localValueDescription&& value) {
  varSettlePostponedRead();
  const std::size_t position = variableIndex.find(name);
  if (position != npos) {
    variables[position].value = std::move(value);
    return;
  }
  variables.push_back(variableDescription{localString::wstringToUpper(std::wstring(name)), std::move(value)});
  variableIndex.add(variables.back().name, variables.size() - 1);
  recordsChanged();
}

void localContextUTF8::varSetValueNum(std::wstring_view name, double number) {
  localValueDescription value;
  value.setVal(number);
  varSetValue(name, std::move(value));
}

void localContextUTF8::varSetValueWStr(std::wstring_view name, std::wstring text) {
  localValueDescription value;
  value.setVal(std::move(text));
  varSetValue(name, std::move(value));
}

unsigned localContextUTF8::varCount() const { return static_cast<unsigned>(variables.size()); }

void localContextUTF8::varDeleteByIdx(unsigned index) {
  if (index >= variables.size()) return;
  varSettlePostponedRead();
  variables.erase(variables.begin() + index);
  variableIndex.rebuild(variables);
  recordsChanged();
}

void localContextUTF8::cleaMemo() {
  varSettlePostponedRead();
  variables.clear();
  variableIndex.clear();
  recordsChanged();
}

bool localContextUTF8::varPostponeRead(std::size_t position, localValueDescription* into) {
  if (pendingRead.into != nullptr || position >= variables.size() || into == nullptr) return false;
  pendingRead = {position, into};
  return true;
}

bool localContextUTF8::varEndPostponedRead() {
  const bool unchanged = pendingRead.into != nullptr;
  pendingRead = {};
  return unchanged;
}

void localContextUTF8::settlePostponedRead() {
  *pendingRead.into = variables[pendingRead.position].value;
  pendingRead = {};
}
