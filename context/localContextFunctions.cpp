#include "context/localContextUTF8.h"
#include "core/localNestingGuard.h"
#include "core/localTrace.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

localContextUTF8::functionDescription* localContextUTF8::funcGetPointer(const std::wstring& name) {
  const std::wstring key = localString::wstringToUpper(name);
  for (functionDescription& function : functions) {
    if (function.name == key) return &function;
  }
  return nullptr;
}

bool localContextUTF8::funcExec(localReturnStateType& state, const std::wstring& name, localValueList* arguments,
                                localValueDescription* result) {
  if (result == nullptr) {
    localTrace(L"localErrorTypeCODE!!!  func: ", "funcExec", 3018);
    state = localErrorTypeCODE;
    return false;
  }
  return funcExecRecord(state, funcGetPointer(name), name, arguments, result);
}

bool localContextUTF8::funcExecRecord(localReturnStateType& state, const functionDescription* function,
                                      const std::wstring& name, localValueList* arguments,
                                      localValueDescription* result) {
  if (result == nullptr) {
    localTrace(L"localErrorTypeCODE!!!  func: ", "funcExec", 3018);
    state = localErrorTypeCODE;
    return false;
  }
  if (function == nullptr || (function->operatorCompiled == nullptr && function->methodFunction == nullptr)) {
    state = localErrorTypeFUNCTIONunknown;
    return false;
  }
  if (function->operatorCompiled != nullptr) {
    // Copy what the call needs: the body may register functions and so move the records.
    const localOperatorCompiled* node = function->operatorCompiled;
    localNestingGuard guard(localNestingKind::call);
    if (guard.tooDeep()) {
      localTrace(L"localErrorTypeCODE!!! слишком глубокая вложенность вызовов func: ", "funcExec", 3027);
      state = localErrorTypeCODE;
      return false;
    }
    return node->executor(state, this, node, arguments, *result);
  }
  const localExecFunction routine = function->methodFunction;
  void* self = this;
  return routine(state, self, name, arguments, *result);
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
  const std::wstring key = localString::wstringToUpper(name);
  functionDescription* function = funcGetPointer(key);
  if (function == nullptr) {
    functions.emplace_back();
    function = &functions.back();
  }
  function->name = key;
  function->methodFunction = nullptr;
  function->operatorCompiled = body;
  recordsChanged();
  return true;
}
