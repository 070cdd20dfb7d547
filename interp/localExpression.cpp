// Expression evaluator: one pass over the text with an operand stack and an operator
// stack; operators are applied by precedence (the enum value), operands are read directly.
#include <cstddef>
#include <iostream>

#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localInlineStack.h"
#include "core/localNestingGuard.h"
#include "platform/localFreshStack.h"
#include "core/localTrace.h"
#include "interp/localExpressionShared.h"
#include "interp/localInterpTraceLines.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localPostponedLeft.h"
#include "text/localString.h"

namespace {

void printClosingQuoteExpected(wchar_t quote) {
  localDiagnostics() << localString::wstringToStdStringMultibyte(
                   std::wstring(L"ОШИБКА при сборке СТРОКОВОЙ костанты . Ожидается символ '") + quote + L"'")
            << "\n";
}

// Reads the expression's first operand as a postponed read of the target variable when
// it is a plain reference to it (no member, no call); false leaves position unchanged.
bool postponeFirstOperand(const std::wstring& text, unsigned& position, localContextUTF8* context,
                          std::size_t target, postponedLeft& left) {
  unsigned scan = position;
  localInterpretatorUTF8::scanStringSkipVoidChars(text, scan);
  const wchar_t first = localString::charAt(text, scan);
  if (scan >= text.size() || (first >= 0x20 && first <= 0x3F)) return false;
  const std::wstring_view word = localInterpretatorUTF8::scanStringGetWordView(text, scan);
  const wchar_t next = localString::charAt(text, scan);
  if (word.empty() || next == L'.' || next == L'(' || context->varFind(word) != target) return false;
  if (!left.begin(target)) return false;
  position = scan;
  return true;
}

// The stacks of a usual expression live on the machine stack: evaluating one needs no
// heap allocation; longer expressions spill to the heap.
constexpr std::size_t inlineOperands = 6;

struct evaluation {
  localInlineStack<localValueDescription, inlineOperands> operands;
  localInlineStack<localPossibleBinaryOperation, inlineOperands> operators;
  // Where each operand begins and each operator stands, for a failure to name its part.
  localInlineStack<unsigned, inlineOperands> operandStarts;
  localInlineStack<unsigned, inlineOperands> operatorPlaces;
  postponedLeft* left = nullptr;  // operands[0] stands for it while it is active
  bool storedInPlace = false;     // the last operation wrote into the target variable itself
};

// Applies the topmost operator to the two topmost operands, leaving the result in place
// of the left one. In check-only mode nothing is evaluated: the left operand becomes 1.
// `last` says that every operand has been read: nothing runs between this operation and
// the store of the result.
bool reduceOnce(localReturnStateType& state, const std::wstring& text, evaluation& e, bool checkOnly, bool last) {
  const std::size_t count = e.operands.size();
  const localPossibleBinaryOperation operation = e.operators.back();
  // A division by zero is the divisor's fault; any other failure the operator's.
  const auto failed = [&] {
    localFailurePlace::partFailed(text, state == localErrorTypeDIVISIONbyZero ? e.operandStarts.back()
                                                                              : e.operatorPlaces.back());
    return false;
  };
  if (count == 2 && e.left != nullptr && e.left->active()) {
    localValueDescription* variable = e.left->end();
    if (variable != nullptr && last) {
      // The variable is the left operand and takes the result: one operation in place.
      if (!localInterpretatorUTF8::binaryOperationByEnumEvaluate(state, *variable, operation, *variable,
                                                                 e.operands[1])) {
        return failed();
      }
      e.storedInPlace = true;
      e.operands.pop_back();
      e.operators.pop_back();
      e.operandStarts.pop_back();
      e.operatorPlaces.pop_back();
      return true;
    }
    e.operands[0] = variable != nullptr ? *variable : std::move(e.left->held());
  }
  localValueDescription& left = e.operands[count - 2];
  const localValueDescription& right = e.operands[count - 1];
  if (checkOnly) {
    left.setVal(1.0);
  } else if (!localInterpretatorUTF8::binaryOperationByEnumEvaluate(state, left, operation, left, right)) {
    return failed();
  }
  e.operands.pop_back();
  e.operators.pop_back();
  e.operandStarts.pop_back();
  e.operatorPlaces.pop_back();
  return true;
}

// The evaluator proper; target is the position of the variable that will receive the
// value (npos for none), which allows `s = s + t` to append to s in place.
bool evaluateLevel(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   localValueDescription& result, localContextUTF8* context, bool checkOnly, std::size_t target,
                   bool& storedInPlace);

bool evaluateExpression(localReturnStateType& state, const std::wstring& text, unsigned& position,
                        localValueDescription& result, localContextUTF8* context, bool checkOnly,
                        std::size_t target, bool& storedInPlace) {
  // Brackets and argument lists recurse through here; bound the depth so that hostile
  // input fails cleanly instead of exhausting the stack.
  localNestingGuard guard(localNestingKind::expression);
  if (!localExpressionShared::enter(guard, state)) return false;
#ifdef __EMSCRIPTEN__
  // The browser's small stack: every so many levels the rest goes on on a fresh one.
  if (localNestingGuard::depth(localNestingKind::expression) % localPlatform::localFreshStackEvery == 0)
    return localOnFreshStack(
        [&] { return evaluateLevel(state, text, position, result, context, checkOnly, target, storedInPlace); });
#endif
  return evaluateLevel(state, text, position, result, context, checkOnly, target, storedInPlace);
}

// One level of an expression: its operands (which may recurse) and operators.
bool evaluateLevel(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   localValueDescription& result, localContextUTF8* context, bool checkOnly, std::size_t target,
                   bool& storedInPlace) {
  evaluation e;
  postponedLeft left(context);

  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  e.operands.emplace_back();
  e.operandStarts.push_back(position);
  if (!checkOnly && target != localContextUTF8::npos && context != nullptr &&
      postponeFirstOperand(text, position, context, target, left)) {
    e.left = &left;
    state = localErrorTypeOK;
  } else if (!localInterpretatorUTF8::scanStringGetOperandAndEvaluete(state, text, position, e.operands.back(),
                                                                      context, checkOnly)) {
    return false;
  }

  for (;;) {
    const localPossibleBinaryOperation operation = localInterpretatorUTF8::scanStringGetBinaryOperation(text, position);
    if (operation == localPossibleBinaryOperationNONE) break;
    const unsigned operatorPlace = localInterpretatorUTF8::binaryOperationStart(position, operation);
    // Every operator has its own precedence level; a waiting operator is applied when
    // the new one binds no tighter.
    while (!e.operators.empty() && e.operators.back() >= operation) {
      if (!reduceOnce(state, text, e, checkOnly, false)) return false;
    }
    localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
    e.operands.emplace_back();
    e.operandStarts.push_back(position);
    if (!localInterpretatorUTF8::scanStringGetOperandAndEvaluete(state, text, position, e.operands.back(), context,
                                                                 checkOnly)) {
      return false;
    }
    e.operators.push_back(operation);
    e.operatorPlaces.push_back(operatorPlace);
  }

  while (!e.operators.empty()) {
    if (!reduceOnce(state, text, e, checkOnly, true)) return false;
  }
  if (left.active()) {
    // A lone variable: its value as it is now.
    localValueDescription* variable = left.end();
    e.operands[0] = variable != nullptr ? *variable : std::move(left.held());
  }
  storedInPlace = e.storedInPlace;
  if (!storedInPlace) result = std::move(e.operands.front());
  return state == localErrorTypeOK;
}

}  // namespace

bool localExpressionShared::enter(const localNestingGuard& guard, localReturnStateType& state) {
  if (!guard.tooDeep()) return true;
  localTrace(L"localErrorTypeCODE!!! слишком глубокая вложенность выражения func: ",
             "scanStringGetExpressionAndEvaluete", localInterpTraceLine::expressionTooDeep);
  state = localErrorTypeCODE;
  return false;
}

bool localInterpretatorUTF8::scanStringGetOperandAndEvaluete(localReturnStateType& state, const std::wstring& text,
                                                            unsigned& position, localValueDescription& value,
                                                            localContextUTF8* context, bool checkOnly) {
  state = localErrorTypeOK;
  scanStringSkipVoidChars(text, position);
  if (position >= text.size()) {
    state = localErrorTypeSYNTAX;
    return false;
  }
  const wchar_t current = text[position];
  if (current < 0x20 || current > 0x3F) {
    // Letters of any alphabet, the underscore and every other character outside the
    // range of digits and punctuation start a name term.
    if (context == nullptr) {
      state = localErrorTypeCONTEXTmissing;
      return false;
    }
    if (!scanStringGetNameTokenAndEvaluete(state, text, position, value, context, checkOnly)) return false;
  } else if (current == L'(') {
    ++position;
    if (!scanStringGetExpressionAndEvaluete(state, text, position, value, context, checkOnly)) return false;
    scanStringSkipVoidChars(text, position);
    if (position >= text.size() || text[position] != L')') {
      state = localErrorTypeSYNTAXexpectedCloseBracket;
      return false;
    }
    ++position;
  } else if (current == L'"' || current == L'\'') {
    if (!scanStringGetStringTokenAndEvaluete(text, position, value)) {
      printClosingQuoteExpected(current);
      state = localErrorTypeSYNTAX;
      return false;
    }
  } else if ((current >= L'0' && current <= L'9') || current == L'.') {
    scanStringGetNumberTokenAndEvaluete(text, position, value);
  } else {
    state = localErrorTypeSYNTAX;
    return false;
  }
  // A name term may succeed and still leave another state (PI with arguments).
  return state == localErrorTypeOK;
}

bool localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(localReturnStateType& state,
                                                               const std::wstring& text, unsigned& position,
                                                               localValueDescription& result,
                                                               localContextUTF8* context, bool checkOnly) {
  bool storedInPlace = false;
  return evaluateExpression(state, text, position, result, context, checkOnly, localContextUTF8::npos,
                            storedInPlace);
}

bool localInterpretatorUTF8::scanStringGetExpressionAndStore(localReturnStateType& state, const std::wstring& text,
                                                            unsigned& position, localContextUTF8* context,
                                                            const std::wstring& name) {
  localValueDescription value;  // the number 0
  bool storedInPlace = false;
  const std::size_t target = context != nullptr ? context->varFind(name) : localContextUTF8::npos;
  if (!evaluateExpression(state, text, position, value, context, false, target, storedInPlace)) return false;
  if (storedInPlace) return true;
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  context->varSetValue(name, std::move(value));
  return true;
}
