// Runs a whole program text: compile into a root tree, report a compile error with its
// line and column, otherwise execute the root once. The tree belongs to this run only.
#include <iostream>
#include <memory>

#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localNestingGuard.h"
#include "platform/localFreshStack.h"
#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localCompileSteps.h"
#include "program/localDebugHook.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

namespace {

const char* const kOperation = "textExec";

void reportCompileFailure(const localReturnStateType& state, const std::wstring& text, unsigned position,
                          std::uint32_t source) {
  localFailurePlace::compileFailed(source, position, state);
  const localCompile::sourcePlace place = localCompile::placeOf(text, position);
  std::ostream& out = localDiagnostics();
  out << localString::wstringToStdStringMultibyte(localString::trimL(localString::getLineFromPos(text, place.lineStart)))
      << " \n";
  out << localString::wstringToStdStringMultibyte(localString::returnStateAsString(state)) << " \n";
  out << "line: " << place.line << " pos: " << place.column;
  localTrace(L" func: ", kOperation, 2739);
}

}  // namespace

bool localInterpretatorUTF8::textExec(localReturnStateType& state, const std::wstring& text,
                                      localContextUTF8* context) {
  // A program may run itself with DO; bound that recursion together with user-function calls.
  localNestingGuard guard(localNestingKind::call);
  if (guard.tooDeep()) {
    localTrace(L"localErrorTypeCODE!!! слишком глубокая вложенность вызовов func: ", kOperation, 2725);
    state = localErrorTypeCODE;
    return false;
  }

  const std::size_t notes = localFailurePlace::mark();
  auto root = std::make_unique<localOperatorCompiled>(&localOperatorCompiled::execute);
  unsigned position = 0;
  localOperatorCompiled* block = root.get();
  std::uint32_t source = 0;
  bool compiled = false;
  {
    const localCompile::sourceScope scope(text);
    source = scope.source();
    compiled = textCompile(state, text, position, context, block);
  }

  if (state != localErrorTypeOK) {
    reportCompileFailure(state, text, position, source);
    localFailurePlace::runFailed(text, source, notes);
    return false;
  }
  if (!compiled) {
    localFailurePlace::runFailed(text, source, notes);
    return false;
  }
  if (localDebugHook::attached()) localDebugHook::listener->programCompiled(*root);

  localValueList arguments;
  localValueDescription result;
  result.setVal(0.0);
  localTrace(L"СТАРТ!!!!!!:  func: ", kOperation, 2751);
  const auto run = [&] { return root->executor(state, context, root.get(), &arguments, result); };
#ifdef __EMSCRIPTEN__
  // DO inside programs nests like calls: on a fresh stack every so many levels (see there).
  const bool ran = localNestingGuard::depth(localNestingKind::call) % localPlatform::localFreshStackEvery == 0
                       ? localOnFreshStack(run)
                       : run();
#else
  const bool ran = run();
#endif
  if (!ran) {
    localFailurePlace::runFailed(text, source, notes);
    localTrace(localString::returnStateAsString(state) + L" func: ", kOperation, 2753);
    return false;
  }
  return true;
}
