#pragma once
// The operators on two numbers: what binaryOperationByEnumEvaluate does when both
// operands are numbers. Inline, so that the program engine's dispatch loop runs the very
// same code on its numbers-only branch.
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"
#include "interp/localInterpretatorUTF8.h"

namespace localNumberOperation {

inline bool isComparison(localPossibleBinaryOperation operation) {
  return operation >= localPossibleBinaryOperationEQUAL && operation <= localPossibleBinaryOperationLESS;
}

// Comparison operators share one shape for numbers and strings; a NaN compares false
// with everything except <>.
template <class T>
[[gnu::always_inline]] inline bool compare(localPossibleBinaryOperation operation, const T& left, const T& right) {
  switch (operation) {
    case localPossibleBinaryOperationEQUAL:
      return left == right;
    case localPossibleBinaryOperationNOTEQUAL:
      return !(left == right);
    case localPossibleBinaryOperationGREATEROREQUAL:
      return left >= right;
    case localPossibleBinaryOperationGREATER:
      return left > right;
    case localPossibleBinaryOperationLESSOREQUAL:
      return left <= right;
    case localPossibleBinaryOperationLESS:
      return left < right;
    default:
      return false;
  }
}

// The same for two numbers, without a jump through a table: the operands are compared
// once, and the operator's set of outcomes (less, equal, greater, unordered) says whether
// that outcome makes the comparison hold. Loops compare at every pass; compiled code
// keeps each comparison's set beside its operands.
namespace outcome {
constexpr unsigned less = 1, equal = 2, greater = 4, unordered = 8;
}
constexpr unsigned char outcomesHolding(localPossibleBinaryOperation operation) {
  switch (operation) {
    case localPossibleBinaryOperationEQUAL:
      return outcome::equal;
    case localPossibleBinaryOperationNOTEQUAL:
      return outcome::less | outcome::greater | outcome::unordered;
    case localPossibleBinaryOperationGREATEROREQUAL:
      return outcome::greater | outcome::equal;
    case localPossibleBinaryOperationGREATER:
      return outcome::greater;
    case localPossibleBinaryOperationLESSOREQUAL:
      return outcome::less | outcome::equal;
    case localPossibleBinaryOperationLESS:
      return outcome::less;
    default:
      return 0;  // not a comparison
  }
}
[[gnu::always_inline]] inline bool holds(unsigned outcomes, double left, double right) {
  const unsigned found = left < right    ? outcome::less
                         : left > right  ? outcome::greater
                         : left == right ? outcome::equal
                                         : outcome::unordered;
  return (outcomes & found) != 0;
}
[[gnu::always_inline]] inline bool compare(localPossibleBinaryOperation operation, double left, double right) {
  return holds(outcomesHolding(operation), left, right);
}

// result := left op right; false, with the state set, for a division by zero or an
// operator outside the table. result's other fields stay as they were.
[[gnu::always_inline]] inline bool apply(localReturnStateType& state, localValueDescription& result, localPossibleBinaryOperation operation,
                  double left, double right) {
  // Addition first: counters and sums make it by far the most frequent.
  if (operation == localPossibleBinaryOperationPLUS) {
    result.setVal(left + right);
    return true;
  }
  switch (operation) {
    case localPossibleBinaryOperationMINUS:
      result.setVal(left - right);
      return true;
    case localPossibleBinaryOperationPLUS:
      result.setVal(left + right);
      return true;
    case localPossibleBinaryOperationMULTIPLY:
      result.setVal(left * right);
      return true;
    case localPossibleBinaryOperationDIVIDE:
      if (right == 0.0) {
        state = localErrorTypeDIVISIONbyZero;
        return false;
      }
      result.setVal(left / right);
      return true;
    default:
      if (isComparison(operation)) {
        result.setBoo(compare(operation, left, right));
        return true;
      }
      state = localErrorTypeCODE;
      return false;
  }
}

}  // namespace localNumberOperation
