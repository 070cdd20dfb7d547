#include "context/localBuiltinLibrary.h"
#include "context/localContextCalls.h"
#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "core/localNestingGuard.h"
#include "core/localTrace.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

std::size_t localContextUTF8::funcFind(std::wstring_view name) const { return functionIndex.find(name); }

localContextUTF8::functionDescription* localContextUTF8::funcGetPointer(std::wstring_view name) {
  const std::size_t position = functionIndex.find(name);
  return position == npos ? nullptr : &functions[position];
}

bool localContextUTF8::funcExec(localReturnStateType& state, std::wstring_view name, localValueList* arguments,
                                localValueDescription* result) {
  return callFunction(state, funcFind(name), name, arguments, result);
}

bool localContextUTF8::callWithoutResult(localReturnStateType& state) {
  localTrace(L"localErrorTypeCODE!!!  func: ", "funcExec", 3018);
  state = localErrorTypeCODE;
  return false;
}

bool localContextUTF8::callTooDeep(localReturnStateType& state) {
  localTrace(L"localErrorTypeCODE!!! слишком глубокая вложенность вызовов func: ", "funcExec", 3027);
  state = localErrorTypeCODE;
  return false;
}

bool localContextUTF8::callRoutine(localReturnStateType& state, const functionDescription& function,
                                   std::wstring_view name, localValueList* arguments, localValueDescription& result) {
  if (function.builtin != nullptr && name == function.name)
    return localBuiltin::call(state, this, *function.builtin, arguments, result);
  const localExecFunction routine = function.methodFunction;
  void* self = this;
  return routine(state, self, std::wstring(name), arguments, result);
}

unsigned localContextUTF8::funcCount() const { return static_cast<unsigned>(functions.size()); }

localContextUTF8::functionDescription localContextUTF8::funcByIdx(unsigned index) const {
  if (index >= functions.size()) return {};
  return functions[index];
}

bool localContextUTF8::funcAddAsOperatorCompiled(std::wstring name, std::unique_ptr<localOperatorCompiled> node) {
  if (node == nullptr) return false;
  // Every body stays owned here: one may still be running while a newer one replaces it.
  compiledBodies.push_back(std::move(node));
  localOperatorCompiled* body = compiledBodies.back().get();
  functionDescription* function = funcGetPointer(name);
  if (function == nullptr) {
    functions.emplace_back();
    function = &functions.back();
    function->name = localString::wstringToUpper(name);
    functionIndex.add(function->name, functions.size() - 1);
  }
  function->methodFunction = nullptr;
  function->builtin = nullptr;
  function->operatorCompiled = body;
  recordsChanged();
  return true;
}
