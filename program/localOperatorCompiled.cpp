#include "program/localOperatorCompiled.h"

#include <optional>

#include "context/localContextUTF8.h"
#include "core/localFailurePlace.h"
#include "core/localInterrupt.h"
#include "core/localTrace.h"
#include "interp/localExpressionTree.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localCode.h"
#include "program/localDebugHook.h"
#include "program/localExecuteTraces.h"
#include "text/localString.h"

namespace {

const char* const kOperation = "execute";

// A node keeps its source text without the closing ";". The statement executor is
// handed the text with it put back; the evaluator reads the text as it is, since an
// expression ends at the end of its text just as it ends at a ";" (the compiler has
// checked that each expression is whole).
std::wstring withSemicolon(const std::wstring& text) {
  std::wstring statement;
  statement.reserve(text.size() + 1);  // one allocation
  statement.append(text).push_back(L';');
  return statement;
}

bool evaluate(localReturnStateType& state, localContextUTF8* context, const std::wstring& text,
              localValueDescription& value) {
  unsigned position = 0;
  return localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state, text, position, value, context, false);
}

// What execute does with a node of each kind (defined below with it).
bool runKind(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
             localValueList* arguments, localValueDescription& result);

// Runs one statement of a block or a loop: a node with the usual executor by its kind
// straight away, a node with an executor of its own through it.
bool runStatement(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& child,
                  localValueList* arguments, localValueDescription& result) {
  // The scanning engine tells a debugger of each statement of a block (a branch's block is
  // none: its IF was told).
  if (localDebugHook::attached() && child.kind != localCompiledOperatorTypeBLOCK &&
      localDebugHook::noteStatement(child) && !localDebugHook::listener->statementStarts(state, child, nullptr, 0))
    return false;
  if (child.executor != &localOperatorCompiled::execute) return child.executor(state, context, &child, arguments, result);
  return runKind(state, context, child, arguments, result);
}

// Storing needs a context; without one the store is refused instead of dereferencing null.
bool storeVariable(localReturnStateType& state, localContextUTF8* context, const std::wstring& name,
                   const localValueDescription& value) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  context->varSetValue(name, &value);
  return true;
}

bool conditionTruth(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
                    bool& holds) {
  localValueDescription condition;
  if (!evaluate(state, context, node.text, condition)) return false;
  holds = condition.getBoo();
  return true;
}

bool executeBlock(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& block,
                  localValueList* arguments, localValueDescription& result) {
  for (const localOperatorCompiled& child : block.children) {
    if (!runStatement(state, context, child, arguments, result)) {
      localExecuteTraces::blockFailure(state);
      return false;
    }
  }
  return state == localErrorTypeOK;
}

bool executeCommand(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node) {
  const std::wstring statement = withSemicolon(node.text);
  localFailurePlace::forgetPart();  // the copy may stand where a gone text stood
  unsigned position = 0;
  if (!localInterpretatorUTF8::scanStringGetOperatorAndExec(state, statement, position, context, false)) {
    localExecuteTraces::nodeFailure(state, node, 337, &statement);
    return false;
  }
  return state == localErrorTypeOK;
}

// EXPRESSION and ASSIGN nodes: evaluate the text and store it under the node's name. An
// EXPRESSION without a name is evaluated for its effect only; ASSIGN stores whatever its
// name. firstTrace is the first of the three failure lines' numbers.
bool evaluateAndStore(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
                      bool storeWithoutName, unsigned firstTrace) {
  const bool store = storeWithoutName || !node.name.empty();
  bool ok = false;
  if (store && context != nullptr) {
    // Evaluated straight into the variable: `s = s + t` appends in place.
    unsigned position = 0;
    ok = localInterpretatorUTF8::scanStringGetExpressionAndStore(state, node.text, position, context, node.name);
  } else {
    localValueDescription value;  // the number 0
    ok = evaluate(state, context, node.text, value);
    if (ok && store) ok = storeVariable(state, context, node.name, value);
  }
  if (!ok) {
    localExecuteTraces::nodeFailure(state, node, firstTrace);
    return false;
  }
  return state == localErrorTypeOK;
}

bool executeIf(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
               localValueList* arguments, localValueDescription& result) {
  for (const localOperatorCompiled& branch : node.children) {
    bool selected = true;
    if (!branch.text.empty() && !conditionTruth(state, context, branch, selected)) {
      localExecuteTraces::statementLine(branch, 378);
      return false;
    }
    if (selected) {
      if (!runStatement(state, context, branch, arguments, result)) return false;
      break;
    }
  }
  return state == localErrorTypeOK;
}

bool executePrint(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node) {
  localValueDescription value;  // the number 0
  if (!evaluate(state, context, node.text, value)) {
    localExecuteTraces::statementLine(node, 446);
    return false;
  }
  value.COUT();
  return state == localErrorTypeOK;
}

bool executeWhile(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
                  localValueList* arguments, localValueDescription& result) {
  for (;;) {
    bool holds = false;
    if (!conditionTruth(state, context, node, holds)) {
      localExecuteTraces::statementLine(node, 404);
      return false;
    }
    if (!holds) break;
    // A loop is the one construct that can run forever: let Ctrl-C end it.
    if (localInterruptRequested()) {
      localInterruptReport(state, kOperation, 405);
      localFailurePlace::failedAt(node.source, node.place.line, node.place.column, std::wstring());
      return false;
    }
    for (const localOperatorCompiled& child : node.children) {
      if (!runStatement(state, context, child, arguments, result)) return false;
    }
  }
  return state == localErrorTypeOK;
}

}  // namespace

namespace localExecuteTraces {

void noneNode() { localTrace(L"localCompiledOperatorTypeNONE ", kOperation, 316); }
void returnNode() { localTrace(L"localCompiledOperatorTypeRENURN ", kOperation, 453); }

void failedIn(const localOperatorCompiled& node, const std::wstring* scanned) {
  const std::optional<localFailurePlace::part> part = localFailurePlace::takePart(scanned != nullptr ? *scanned : node.text);
  localSourcePlace place = node.place;
  std::wstring subject;
  if (part) {
    place = node.placeAt(part->position);
    subject = std::move(part->subject);
  }
  localFailurePlace::failedAt(node.source, place.line, place.column, subject);
}

void nodeFailure(const localReturnStateType& state, const localOperatorCompiled& node, unsigned first,
                 const std::wstring* scanned) {
  failedIn(node, scanned);
  localTrace(node.name + L"=" + node.text + L"; ", kOperation, first);
  localTrace(localString::returnStateAsString(state), kOperation, first + 1);
  localTrace(L"ERROR!!! func: ", kOperation, first + 2);
}

void statementLine(const localOperatorCompiled& node, unsigned number) {
  failedIn(node, nullptr);
  localTrace(L"ERROR!!! func: ", kOperation, number);
}

void blockFailure(const localReturnStateType& state) {
  localTrace(localString::returnStateAsString(state), kOperation, 325);
  localTrace(L"ERROR!!! func: ", kOperation, 326);
}

}  // namespace localExecuteTraces

localOperatorCompiled::localOperatorCompiled(executorType executorFunction)
    : executor(executorFunction != nullptr ? executorFunction : &localOperatorCompiled::execute) {}

// The tree reads the text exactly as the scanner is handed it.
void localOperatorCompiled::parseText() { tree = localExpressionTree::parse(text); }

const localCode& localOperatorCompiled::compileCode() const {
  code_.code = localCode::compile(*this);
  return *code_.code;
}

bool localOperatorCompiled::execute(localReturnStateType& state, localContextUTF8* context,
                                    const localOperatorCompiled* node, localValueList* arguments,
                                    localValueDescription& result) {
  if (node == nullptr) {
    localTrace(L"localErrorTypeCODE!!! нет узла для выполнения func: ", kOperation, 310);
    state = localErrorTypeCODE;
    return false;
  }
  if (context != nullptr && localEngine::current() == localEngine::kind::code)
    return localCode::run(state, *context, *node, arguments, result);
  return runKind(state, context, *node, arguments, result);
}

bool localOperatorCompiled::executeScanning(localReturnStateType& state, localContextUTF8* context,
                                            const localOperatorCompiled* node, localValueList* arguments,
                                            localValueDescription& result) {
  return runKind(state, context, *node, arguments, result);
}

namespace {

bool runKind(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
             localValueList* arguments, localValueDescription& result) {
  switch (node.kind) {
    case localCompiledOperatorTypeNONE:
      localExecuteTraces::noneNode();
      return state == localErrorTypeOK;
    case localCompiledOperatorTypeBLOCK:
      return executeBlock(state, context, node, arguments, result);
    case localCompiledOperatorTypeCOMMAND:
      return executeCommand(state, context, node);
    case localCompiledOperatorTypeEXPRESSION:
      return evaluateAndStore(state, context, node, false, 353);
    case localCompiledOperatorTypeIF:
      return executeIf(state, context, node, arguments, result);
    case localCompiledOperatorTypeASSIGN:
      return evaluateAndStore(state, context, node, true, 431);
    case localCompiledOperatorTypePRINT:
      return executePrint(state, context, node);
    case localCompiledOperatorTypeRENURN:
      localExecuteTraces::returnNode();
      return state == localErrorTypeOK;
    case localCompiledOperatorTypeWHILE:
      return executeWhile(state, context, node, arguments, result);
  }
  // A kind outside the enumeration can only come from a damaged tree.
  localTrace(L"localErrorTypeCODE!!! неизвестный вид узла func: ", kOperation, 460);
  state = localErrorTypeCODE;
  return false;
}

}  // namespace
