// Ctrl-C while a line runs ends an endless loop with a failure instead of ending the session.
#include <gtest/gtest.h>

#include <csignal>

#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "program/localOperatorCompiled.h"
#include "tests/test_cout_capture.h"

TEST(ProgramInterrupt, InterruptEndsAnEndlessLoopAndIsForgottenAfterTheLine) {
  struct sigaction saved {};
  sigaction(SIGINT, nullptr, &saved);
  localInterruptInstall();

  localContextUTF8 context;
  localOperatorCompiled loop;
  loop.kind = localCompiledOperatorTypeWHILE;
  loop.text = L"1";  // never false
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;
  testSupport::CoutCapture capture;

  localInterruptLineStarts();
  std::raise(SIGINT);
  EXPECT_TRUE(localInterruptRequested());
  EXPECT_FALSE(loop.executor(state, &context, &loop, nullptr, result));
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_NE(capture.text().find("(Ctrl-C) func: execute file: localInterpretatorUTF8 line: 405\n"),
            std::string::npos);
  localInterruptLineEnds();
  EXPECT_FALSE(localInterruptRequested());

  sigaction(SIGINT, &saved, nullptr);
}
