#include "program/localOperatorCompiled.h"

#include <algorithm>
#include <array>

#include "context/localContextUTF8.h"
#include "core/localFailurePlace.h"
#include "core/localInterrupt.h"
#include "core/localTrace.h"
#include "interp/localExpressionTree.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNumericEvaluator.h"
#include "interp/localNumericLoop.h"
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

// The three lines a failing command, expression or assignment node reports.
// Where the failing statement stands, for the closing line of a FILE or -c run.
[[gnu::cold]] void noteFailure(const localOperatorCompiled& node) {
  localFailurePlace::statementFailed(node.position, node.text);
}

[[gnu::cold]] void traceNodeFailure(const localReturnStateType& state, const localOperatorCompiled& node,
                                    unsigned first, unsigned second, unsigned third) {
  noteFailure(node);
  localTrace(node.name + L"=" + node.text + L"; ", kOperation, first);
  localTrace(localString::returnStateAsString(state), kOperation, second);
  localTrace(L"ERROR!!! func: ", kOperation, third);
}

// Nodes always run through their own executor, so a tree may carry another one.
bool runChild(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& child,
              localValueList* arguments, localValueDescription& result) {
  return child.executor(state, context, &child, arguments, result);
}

// Whether the statements of a block may take the numeric fast way this time.
bool fastWayOpen(const localContextUTF8* context) { return context != nullptr && !localExpressionTree::scanOnly(); }

// A call statement run as evaluateAndStore runs it, without its layers, when the callee is
// a compiled function; false in taken, with nothing done, otherwise.
bool runCallStatement(localReturnStateType& state, localContextUTF8& context, const localOperatorCompiled& node,
                      bool& taken) {
  localValueDescription value;  // the number 0, the call's result
  const bool called = node.tree->runBareCall(state, context, value, taken);
  if (!taken) return false;
  if (!called) {
    traceNodeFailure(state, node, 353, 354, 355);
    return false;
  }
  return state == localErrorTypeOK;
}

// An EXPRESSION or ASSIGN statement whose expression is a direct method call, run as
// evaluateAndStore runs it, without its layers; false in taken, with nothing done, when
// the general way must run.
bool runMethodStatement(localReturnStateType& state, localContextUTF8& context, const localOperatorCompiled& node,
                        bool& taken) {
  localValueDescription value;  // the number 0, the call's result
  const bool called = node.tree->runDirectMethodCall(state, context, value, taken);
  if (!taken) return false;
  const bool assigns = node.kind == localCompiledOperatorTypeASSIGN;
  if (!called) {
    const unsigned first = assigns ? 431 : 353;
    traceNodeFailure(state, node, first, first + 1, first + 2);
    return false;
  }
  if (!assigns && node.name.empty()) return true;
  const std::size_t target = context.varFindAtSite(node.storeSite, node.name);
  if (target == localContextUTF8::npos) {
    context.varSetValueAtSite(node.storeSite, node.name, std::move(value));
  } else {
    context.varChangeAt(target) = std::move(value);
  }
  return true;
}

// An assignment `s = s + t` of strings, appended in place as evaluateAndStore would;
// false in taken, with nothing done, when the general way must run.
bool runAppendStatement(localReturnStateType& state, localContextUTF8& context, const localOperatorCompiled& node,
                        bool& taken) {
  if (node.tree->appendInPlace(state, context, node.name, node.storeSite, taken)) return true;
  if (taken) {
    const unsigned first = node.kind == localCompiledOperatorTypeASSIGN ? 431 : 353;
    traceNodeFailure(state, node, first, first + 1, first + 2);
  }
  return false;
}

// What execute does with a node of each kind (defined below with it).
bool runKind(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
             localValueList* arguments, localValueDescription& result);

// Runs one statement of a block or a loop. A node with the usual executor runs by its kind
// straight away, and a numeric store (see localNumericEvaluator) without even that; a node
// with an executor of its own through it.
[[gnu::always_inline]] inline bool runStatement(localReturnStateType& state, localContextUTF8* context,
                                                const localOperatorCompiled& child, localValueList* arguments,
                                                localValueDescription& result, bool fastWay) {
  if (child.executor != &localOperatorCompiled::execute) return runChild(state, context, child, arguments, result);
  using shortcutKind = localOperatorCompiled::shortcutKind;
  const shortcutKind shortcut = child.shortcut;
  if (shortcut == shortcutKind::none || !fastWay) return runKind(state, context, child, arguments, result);
  // The most frequent first, without a jump table.
  if (shortcut == shortcutKind::numericStore &&
      localNumericEvaluator::storeWhole(*child.tree, *context, child.name, child.storeSite)) {
    state = localErrorTypeOK;
    return true;
  }
  bool taken = false;
  bool ran = false;
  if (shortcut == shortcutKind::functionCall) {
    ran = runCallStatement(state, *context, child, taken);
  } else if (shortcut == shortcutKind::methodCall) {
    ran = runMethodStatement(state, *context, child, taken);
  } else if (shortcut == shortcutKind::appendText || child.tree->appendForm()) {
    ran = runAppendStatement(state, *context, child, taken);
  }
  if (taken) return ran;
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

// A condition's truth; the fast way inline, since loops ask it at every pass.
[[gnu::always_inline]] inline bool conditionTruth(localReturnStateType& state, localContextUTF8* context,
                                                  const localOperatorCompiled& node, bool& holds) {
  double number = 0.0;
  if (node.tree != nullptr && context != nullptr && !localExpressionTree::scanOnly() &&
      localNumericEvaluator::wholeNumber(*node.tree, *context, number)) {
    state = localErrorTypeOK;
    holds = number > 0;
    return true;
  }
  localValueDescription condition;
  if (!node.evaluateText(state, context, condition)) return false;
  holds = condition.getBoo();
  return true;
}

[[gnu::cold]] void traceBlockFailure(const localReturnStateType& state) {
  localTrace(localString::returnStateAsString(state), kOperation, 325);
  localTrace(L"ERROR!!! func: ", kOperation, 326);
}

// What executeBlock does, from the statement at first on (all of them when null); inline
// where a loop runs its body.
[[gnu::always_inline]] inline bool runBlock(localReturnStateType& state, localContextUTF8* context,
                                            const localOperatorCompiled& block, localValueList* arguments,
                                            localValueDescription& result, bool fastWay,
                                            const localOperatorCompiled* first = nullptr) {
  const localOperatorCompiled* const end = block.children.data() + block.children.size();
  for (const localOperatorCompiled* child = first != nullptr ? first : block.children.data(); child != end; ++child) {
    if (!runStatement(state, context, *child, arguments, result, fastWay)) {
      traceBlockFailure(state);
      return false;
    }
  }
  return state == localErrorTypeOK;
}

bool executeBlock(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
                  localValueList* arguments, localValueDescription& result) {
  return runBlock(state, context, node, arguments, result, fastWayOpen(context));
}

[[gnu::noinline]] bool executeCommand(localReturnStateType& state, localContextUTF8* context,
                                      const localOperatorCompiled& node) {
  const std::wstring statement = withSemicolon(node.text);
  unsigned position = 0;
  if (!localInterpretatorUTF8::scanStringGetOperatorAndExec(state, statement, position, context, false)) {
    traceNodeFailure(state, node, 337, 338, 339);
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
    if (node.tree != nullptr && !localExpressionTree::scanOnly()) {
      ok = node.tree->evaluateAndStore(state, *context, node.name, node.storeSite);
    } else {
      unsigned position = 0;
      ok = localInterpretatorUTF8::scanStringGetExpressionAndStore(state, node.text, position, context, node.name);
    }
  } else {
    localValueDescription value;  // the number 0
    ok = node.evaluateText(state, context, value);
    if (ok && store) ok = storeVariable(state, context, node.name, value);
  }
  if (!ok) {
    traceNodeFailure(state, node, firstTrace, firstTrace + 1, firstTrace + 2);
    return false;
  }
  return state == localErrorTypeOK;
}

bool executeIf(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
               localValueList* arguments, localValueDescription& result) {
  for (const localOperatorCompiled& branch : node.children) {
    bool selected = true;
    if (!branch.text.empty() && !conditionTruth(state, context, branch, selected)) {
      noteFailure(branch);
      localTrace(L"ERROR!!! func: ", kOperation, 378);
      return false;
    }
    if (selected) {
      if (!runStatement(state, context, branch, arguments, result, fastWayOpen(context))) return false;
      break;
    }
  }
  return state == localErrorTypeOK;
}

[[gnu::noinline]] bool executePrint(localReturnStateType& state, localContextUTF8* context,
                                    const localOperatorCompiled& node) {
  localValueDescription value;  // the number 0
  if (!node.evaluateText(state, context, value)) {
    noteFailure(node);
    localTrace(L"ERROR!!! func: ", kOperation, 446);
    return false;
  }
  value.COUT();
  return state == localErrorTypeOK;
}

// A loop's body block, run in place.
bool isBodyBlock(const localOperatorCompiled& child) {
  return child.kind == localCompiledOperatorTypeBLOCK && child.executor == &localOperatorCompiled::execute;
}

// Runs the statements of one pass from the one at first on, counting the statements of
// the body block as the loop's own: the rest of a pass the numeric way left.
[[gnu::noinline]] bool runPass(localReturnStateType& state, localContextUTF8* context,
                               const localOperatorCompiled& loop, localValueList* arguments,
                               localValueDescription& result, bool fastWay, std::size_t first) {
  for (const localOperatorCompiled& child : loop.children) {
    const std::size_t size = isBodyBlock(child) ? child.children.size() : 1;
    if (first >= size) {
      first -= size;
      continue;
    }
    const bool ran = isBodyBlock(child)
                         ? runBlock(state, context, child, arguments, result, fastWay, &child.children[first])
                         : runStatement(state, context, child, arguments, result, fastWay);
    if (!ran) return false;
    first = 0;
  }
  return true;
}

// Gathers the statements of a loop whose body is made of numeric stores (localNumericLoop)
// and prepares it; false when the loop runs the usual way.
bool prepareNumericLoop(localContextUTF8& context, const localOperatorCompiled& loop, localNumericLoop& prepared) {
  if (loop.tree == nullptr || !loop.tree->numeric()) return false;
  // Most loops have some other statement: found before anything is gathered.
  const auto numericStore = [](const localOperatorCompiled& statement) {
    return statement.executor == &localOperatorCompiled::execute &&
           statement.shortcut == localOperatorCompiled::shortcutKind::numericStore;
  };
  for (const localOperatorCompiled& child : loop.children) {
    if (!isBodyBlock(child) ? !numericStore(child)
                            : !std::all_of(child.children.begin(), child.children.end(), numericStore))
      return false;
  }
  std::array<localNumericLoop::statementSource, localNumericLoop::maximumStatements> sources;
  std::size_t count = 0;
  const auto add = [&](const localOperatorCompiled& statement) {
    if (count == sources.size()) return false;
    sources[count++] = {statement.tree.get(), statement.name, &statement.storeSite};
    return true;
  };
  for (const localOperatorCompiled& child : loop.children) {
    if (isBodyBlock(child)) {
      for (const localOperatorCompiled& statement : child.children) {
        if (!add(statement)) return false;
      }
    } else if (!add(child)) {
      return false;
    }
  }
  return prepared.prepare(context, *loop.tree, sources.data(), count);
}

[[gnu::cold]] bool traceInterrupted(localReturnStateType& state) {
  localInterruptReport(state, kOperation, 405);
  return false;
}

[[gnu::noinline]] bool executeWhile(localReturnStateType& state, localContextUTF8* context,
                                    const localOperatorCompiled& node, localValueList* arguments,
                                    localValueDescription& result) {
  const bool fastWay = fastWayOpen(context);
  localNumericLoop numeric;
  if (fastWay && prepareNumericLoop(*context, node, numeric)) {
    const localNumericLoop::outcome ended = numeric.run(*context);
    state = localErrorTypeOK;  // as the condition and every store completed leave it
    if (ended.finished) return true;
    if (ended.interrupted) return traceInterrupted(state);
    // The rest of the pass the usual way, which reports what stopped the run.
    if (!ended.beforeCondition && !runPass(state, context, node, arguments, result, fastWay, ended.next)) return false;
  }
  for (;;) {
    bool holds = false;
    if (!conditionTruth(state, context, node, holds)) {
      noteFailure(node);
      localTrace(L"ERROR!!! func: ", kOperation, 404);
      return false;
    }
    if (!holds) break;
    // A loop is the one construct that can run forever: let Ctrl-C end it.
    if (localInterruptRequested()) return traceInterrupted(state);
    for (const localOperatorCompiled& child : node.children) {
      const bool ran = isBodyBlock(child) ? runBlock(state, context, child, arguments, result, fastWay)
                                          : runStatement(state, context, child, arguments, result, fastWay);
      if (!ran) return false;
    }
  }
  return state == localErrorTypeOK;
}

}  // namespace

localOperatorCompiled::localOperatorCompiled(executorType executorFunction)
    : executor(executorFunction != nullptr ? executorFunction : &localOperatorCompiled::execute) {}

// The tree reads the text exactly as the scanner is handed it.
void localOperatorCompiled::parseText() {
  tree = localExpressionTree::parse(text);
  if (tree == nullptr) {
    shortcut = shortcutKind::none;
  } else if (tree->numeric() && (kind == localCompiledOperatorTypeASSIGN ||
                                 (kind == localCompiledOperatorTypeEXPRESSION && !name.empty()))) {
    shortcut = shortcutKind::numericStore;
  } else if (tree->directMethodCall() &&
             (kind == localCompiledOperatorTypeASSIGN || kind == localCompiledOperatorTypeEXPRESSION)) {
    shortcut = shortcutKind::methodCall;
  } else if (tree->bareCall() && kind == localCompiledOperatorTypeEXPRESSION && name.empty()) {
    shortcut = shortcutKind::functionCall;
  } else if (tree->appendForm() && (kind == localCompiledOperatorTypeASSIGN ||
                                    (kind == localCompiledOperatorTypeEXPRESSION && !name.empty()))) {
    shortcut = shortcutKind::appendText;
  } else {
    shortcut = shortcutKind::none;
  }
}

bool localOperatorCompiled::evaluateText(localReturnStateType& state, localContextUTF8* context,
                                         localValueDescription& value) const {
  if (tree != nullptr && context != nullptr && !localExpressionTree::scanOnly())
    return tree->evaluateFresh(state, context, value);
  return evaluate(state, context, text, value);
}

bool localOperatorCompiled::execute(localReturnStateType& state, localContextUTF8* context,
                                    const localOperatorCompiled* node, localValueList* arguments,
                                    localValueDescription& result) {
  if (node == nullptr) {
    localTrace(L"localErrorTypeCODE!!! нет узла для выполнения func: ", kOperation, 310);
    state = localErrorTypeCODE;
    return false;
  }
  return runKind(state, context, *node, arguments, result);
}

namespace {

bool runKind(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled& node,
             localValueList* arguments, localValueDescription& result) {
  switch (node.kind) {
    case localCompiledOperatorTypeNONE:
      localTrace(L"localCompiledOperatorTypeNONE ", kOperation, 316);
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
      localTrace(L"localCompiledOperatorTypeRENURN ", kOperation, 453);
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
