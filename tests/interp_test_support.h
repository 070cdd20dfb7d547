#pragma once
// Helpers shared by the evaluator's unit tests: run an expression, capture what it prints.
#include <iostream>
#include <sstream>
#include <string>

#include "interp/localInterpretatorUTF8.h"

namespace interpTest {

// Redirects std::cout for its lifetime; text() gives what was written so far.
class CoutCapture {
 public:
  CoutCapture() : saved_(std::cout.rdbuf(buffer_.rdbuf())) {}
  ~CoutCapture() { std::cout.rdbuf(saved_); }
  CoutCapture(const CoutCapture&) = delete;
  CoutCapture& operator=(const CoutCapture&) = delete;
  std::string text() const { return buffer_.str(); }

 private:
  std::ostringstream buffer_;
  std::streambuf* saved_;
};

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
