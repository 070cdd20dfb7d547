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
// that outcome makes the comparison hold. Loops compare at every pass.
[[gnu::always_inline]] inline bool compare(localPossibleBinaryOperation operation, double left, double right) {
  constexpr unsigned less = 1, equal = 2, greater = 4, unordered = 8;
  static constexpr unsigned char holdsOn[] = {
      0,                         // not a comparison
      equal,                     // =
      less | greater | unordered,  // <>
      greater | equal,           // >=
      greater,                   // >
      less | equal,              // <=
      less,                      // <
  };
  static_assert(localPossibleBinaryOperationEQUAL == 1 && localPossibleBinaryOperationLESS == 6);
  if (static_cast<unsigned>(operation) >= sizeof holdsOn) return false;
  const unsigned outcome = left < right ? less : left > right ? greater : left == right ? equal : unordered;
  return (holdsOn[operation] & outcome) != 0;
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
