// One binary operation on two values. Kinds never convert into each other: numbers
// combine with numbers, strings with strings; booleans and objects take no operator.
#include <string>

#include "core/localStringLimit.h"
#include "core/localTrace.h"
#include "interp/localInterpTraceLines.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNumberOperation.h"

namespace {

// Concatenation: the one place where a string grows by an operator. When the result is
// the left operand itself, the right text is appended in place (amortized constant time
// per character) instead of building a new string.
bool concatenate(localReturnStateType& state, localValueDescription& result, const localValueDescription& left,
                 const localValueDescription& right) {
  const std::wstring_view head = left.getStrView();
  const std::wstring_view tail = right.getStrView();
  const std::size_t length = head.size() + tail.size();
  if (!localStringMayGrowTo(state, length, "binaryOperationByEnumEvaluate", localInterpTraceLine::concatenationTooLong))
    return false;
  if (&result == &left) {
    result.appendStr(tail);
  } else {
    std::wstring joined;
    joined.reserve(length);
    joined.append(head).append(tail);
    result.setVal(std::move(joined));
  }
  return true;
}

bool stringOperation(localReturnStateType& state, localValueDescription& result,
                     localPossibleBinaryOperation operation, const localValueDescription& left,
                     const localValueDescription& right) {
  if (localNumberOperation::isComparison(operation)) {
    // std::wstring orders by character code; a proper prefix is smaller.
    result.setBoo(localNumberOperation::compare(operation, left.getStrView(), right.getStrView()));
    return true;
  }
  switch (operation) {
    case localPossibleBinaryOperationPLUS:
      return concatenate(state, result, left, right);
    case localPossibleBinaryOperationMINUS:
    case localPossibleBinaryOperationDIVIDE:
    case localPossibleBinaryOperationMULTIPLY:
      // Strings only concatenate; the other arithmetic is a type error of the operands.
      state = localErrorTypeOPERANDtype;
      return false;
    default:
      state = localErrorTypeCODE;
      return false;
  }
}

}  // namespace

bool localInterpretatorUTF8::binaryOperationByEnumEvaluate(localReturnStateType& state,
                                                          localValueDescription& result,
                                                          localPossibleBinaryOperation operation,
                                                          const localValueDescription& left,
                                                          const localValueDescription& right) {
  // result may be the left operand itself: read both operands before writing.
  switch (left.getType()) {
    case localValueDescription::typeNumber:
      if (right.getType() != localValueDescription::typeNumber) {
        state = localErrorTypeOPERANDtype;
        return false;
      }
      return localNumberOperation::apply(state, result, operation, left.getNum(), right.getNum());
    case localValueDescription::typeString:
      if (right.getType() != localValueDescription::typeString) {
        state = localErrorTypeOPERANDtype;
        return false;
      }
      return stringOperation(state, result, operation, left, right);
    default:
      localTrace(L"Не могу выполниить операцию номер [" + std::to_wstring(static_cast<int>(operation)) +
                     L"] func: ",
                 "binaryOperationByEnumEvaluate", localInterpTraceLine::binaryOperationUnsupported);
      state = localErrorTypeCODE;
      return false;
  }
}
