#pragma once
// Helpers for the tests of the compiled operator tree, the compiler and the program run:
// capture of standard output, compiling a text into a fresh root, running a text.
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "context/localContextUTF8.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"
#include "tests/test_cout_capture.h"

namespace programTest {

using testSupport::CoutCapture;

struct Compiled {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  std::unique_ptr<localOperatorCompiled> root = std::make_unique<localOperatorCompiled>();
  std::string printed;
};

inline Compiled compile(const std::wstring& text, localContextUTF8* context,
                        localReturnStateType incoming = localErrorTypeOK) {
  Compiled result;
  result.state = incoming;
  localOperatorCompiled* block = result.root.get();
  CoutCapture capture;
  result.ok = localInterpretatorUTF8::textCompile(result.state, text, result.position, context, block);
  result.printed = capture.text();
  return result;
}

struct Run {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  std::string printed;
};

inline Run run(const std::wstring& text, localContextUTF8* context) {
  Run result;
  CoutCapture capture;
  result.ok = localInterpretatorUTF8::textExec(result.state, text, context);
  result.printed = capture.text();
  return result;
}

// One console line through the statement executor, as the console runs it.
inline Run runLine(const std::wstring& line, localContextUTF8* context) {
  Run result;
  CoutCapture capture;
  unsigned position = 0;
  result.ok = localInterpretatorUTF8::scanStringGetOperatorAndExec(result.state, line, position, context, false);
  result.printed = capture.text();
  return result;
}

// A trace line as the interpreter prints it.
inline std::string traceLine(const std::string& lead, const std::string& operation, unsigned line) {
  return lead + operation + " file: localInterpretatorUTF8 line: " + std::to_string(line) + "\n";
}

}  // namespace programTest
