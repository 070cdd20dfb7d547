#pragma once
// A function call through the context, inline: programs call functions in their loops,
// and every layer of calls costs a frame. What only failures and routines reach stays
// out of line (localContextFunctions.cpp). A file that calls funcExecAt or callCompiled
// includes this header.
#include <string_view>

#include "context/localBuiltinLibrary.h"
#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "core/localNestingGuard.h"
#include "platform/localFreshStack.h"
#include "program/localOperatorCompiled.h"

[[gnu::always_inline]] inline bool localContextUTF8::funcExecAt(localReturnStateType& state, std::size_t position,
                                                                localValueList* arguments,
                                                                localValueDescription* result) {
  const std::wstring_view name = position < functions.size() ? std::wstring_view(functions[position].name) : L"";
  return callFunction(state, position, name, arguments, result);
}

[[gnu::always_inline]] inline bool localContextUTF8::callFunction(localReturnStateType& state, std::size_t position,
                                                                  std::wstring_view name, localValueList* arguments,
                                                                  localValueDescription* result) {
  if (result == nullptr) return callWithoutResult(state);
  const functionDescription* function = position < functions.size() ? &functions[position] : nullptr;
  if (function == nullptr || (function->operatorCompiled == nullptr && function->methodFunction == nullptr)) {
    state = localErrorTypeFUNCTIONunknown;
    return false;
  }
  // The body is passed on by itself: it may register functions and so move the records.
  if (function->operatorCompiled != nullptr)
    return callCompiled(state, *function->operatorCompiled, arguments, *result);
  // A built-in called by its own name runs straight from its table entry; the shared
  // routine would only look the same name up again. A call by position passes the
  // record's own name, which needs no comparing; any other spelling goes the long way.
  if (function->builtin != nullptr && name.data() == function->name.data() && name.size() == function->name.size())
    return localBuiltin::call(state, this, *function->builtin, arguments, *result);
  return callRoutine(state, *function, name, arguments, *result);
}

[[gnu::always_inline]] inline bool localContextUTF8::callCompiled(localReturnStateType& state,
                                                                  const localOperatorCompiled& body,
                                                                  localValueList* arguments,
                                                                  localValueDescription& result) {
  const localNestingGuard guard(localNestingKind::call);
  if (guard.tooDeep()) return callTooDeep(state);
  // Calls, not only loops, can run for ever (a function calling itself twice per level).
  if (localInterruptStopsHere(state, "funcExec", 3028)) return false;
#ifdef __EMSCRIPTEN__
  if (localNestingGuard::depth(localNestingKind::call) % localPlatform::localFreshStackEvery == 0)
    return localOnFreshStack([&] { return body.executor(state, this, &body, arguments, result); });
#endif
  return body.executor(state, this, &body, arguments, result);
}
