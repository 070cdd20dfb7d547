#pragma once
// Helpers shared by the evaluator's unit tests: run an expression, capture what it prints.
#include <iostream>
#include <sstream>
#include <string>

#include "interp/localInterpretatorUTF8.h"
#include "tests/test_cout_capture.h"

namespace interpTest {

using testSupport::CoutCapture;

struct Evaluation {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  localValueDescription value;
  unsigned position = 0;
  std::string printed;
};

inline Evaluation evaluate(const std::wstring& text, localContextUTF8* context = nullptr, bool checkOnly = false) {
  Evaluation result;
  CoutCapture capture;
  result.ok = localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(result.state, text, result.position,
                                                                          result.value, context, checkOnly);
  result.printed = capture.text();
  return result;
}

}  // namespace interpTest
