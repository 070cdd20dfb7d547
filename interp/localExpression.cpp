// Expression evaluator: one pass over the text with an operand stack and an operator
// stack; operators are applied by precedence (the enum value), operands are read directly.
#include <iostream>
#include <vector>

#include "core/localNestingGuard.h"
#include "core/localTrace.h"
#include "interp/localExpressionShared.h"
#include "interp/localInterpTraceLines.h"
#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

namespace {

void printClosingQuoteExpected(wchar_t quote) {
  std::cout << localString::wstringToStdStringMultibyte(
                   std::wstring(L"ОШИБКА при сборке СТРОКОВОЙ костанты . Ожидается символ '") + quote + L"'")
            << "\n";
}

// Applies the topmost operator to the two topmost operands, leaving the result in place
// of the left one. In check-only mode nothing is evaluated: the left operand becomes 1.
bool reduceOnce(localReturnStateType& state, std::vector<localValueDescription>& operands,
                std::vector<localPossibleBinaryOperation>& operators, bool checkOnly) {
  const std::size_t count = operands.size();
  localValueDescription& left = operands[count - 2];
  const localValueDescription& right = operands[count - 1];
  if (checkOnly) {
    left.setVal(1.0);
  } else if (!localInterpretatorUTF8::binaryOperationByEnumEvaluate(state, left, operators.back(), left, right)) {
    return false;
  }
  operands.pop_back();
  operators.pop_back();
  return true;
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
  // Brackets and argument lists recurse through here; bound the depth so that hostile
  // input fails cleanly instead of exhausting the stack.
  localNestingGuard guard(localNestingKind::expression);
  if (!localExpressionShared::enter(guard, state)) return false;

  std::vector<localValueDescription> operands;
  std::vector<localPossibleBinaryOperation> operators;
  operands.reserve(4);  // most expressions have a handful of operands: one allocation
  operators.reserve(4);

  scanStringSkipVoidChars(text, position);
  operands.emplace_back();
  if (!scanStringGetOperandAndEvaluete(state, text, position, operands.back(), context, checkOnly)) return false;

  for (;;) {
    const localPossibleBinaryOperation operation = scanStringGetBinaryOperation(text, position);
    if (operation == localPossibleBinaryOperationNONE) break;
    // Every operator has its own precedence level; a waiting operator is applied when
    // the new one binds no tighter.
    while (!operators.empty() && operators.back() >= operation) {
      if (!reduceOnce(state, operands, operators, checkOnly)) return false;
    }
    operands.emplace_back();
    if (!scanStringGetOperandAndEvaluete(state, text, position, operands.back(), context, checkOnly)) return false;
    operators.push_back(operation);
  }

  while (!operators.empty()) {
    if (!reduceOnce(state, operands, operators, checkOnly)) return false;
  }
  result = operands.front();
  return state == localErrorTypeOK;
}
