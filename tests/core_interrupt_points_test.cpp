// Ctrl-C is answered not only by loops: listings, string building, reading and compiling
// a program, and calls of user functions stop too, each with the interruption line and
// localErrorTypeCODE. The check budget that harnesses use ends runaway work the same way.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localFileReader.h"
#include "core/localInterrupt.h"
#include "interp/localInterpretatorUTF8.h"
#include "tests/program_test_support.h"
#include "tests/transcript_process.h"

namespace {

const std::string interrupted = "localErrorTypeCODE!!! выполнение прервано пользователем (Ctrl-C) func: ";

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

// Every test runs as one console line; the budget is off again afterwards.
class InterruptPoints : public testing::Test {
 protected:
  void SetUp() override { localInterruptLineStarts(); }
  void TearDown() override {
    localInterruptLineEnds();
    localInterruptSetCheckBudget(0);
  }

  programTest::Run runLine(const std::wstring& line) { return programTest::runLine(line, &context_); }

  localContextUTF8 context_;
};

}  // namespace

TEST_F(InterruptPoints, BudgetAnswersFromItsLastCheckOnAndStartsAgainWithEachLine) {
  localInterruptSetCheckBudget(3);
  localInterruptLineStarts();
  EXPECT_FALSE(localInterruptRequested());
  EXPECT_FALSE(localInterruptRequested());
  EXPECT_TRUE(localInterruptRequested());
  EXPECT_TRUE(localInterruptRequested());
  localInterruptLineEnds();
  localInterruptLineStarts();
  EXPECT_FALSE(localInterruptRequested());
}

TEST_F(InterruptPoints, RequestOutsideALineIsIgnored) {
  localInterruptLineEnds();
  localInterruptRequest();
  EXPECT_FALSE(localInterruptRequested());
}

TEST_F(InterruptPoints, ListingStopsPartWayAndTheCommandFails) {
  localInterruptSetCheckBudget(5);  // four variables are listed, then the fifth check stops
  localInterruptLineStarts();
  const programTest::Run run = runLine(L"DISPLAY MEMORY");
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.state, localErrorTypeCODE);
  EXPECT_EQ(occurrences(run.printed, "var ["), 4u);
  EXPECT_NE(run.printed.find(interrupted + "scanStringGetOperatorAndExec file: localInterpretatorUTF8 line: 1962"),
            std::string::npos);
}

TEST_F(InterruptPoints, StringBuildingStops) {
  localInterruptRequest();
  const programTest::Run run = runLine(L"? 'a' + 'b'");
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.state, localErrorTypeCODE);
  EXPECT_NE(run.printed.find(interrupted + "binaryOperationByEnumEvaluate"), std::string::npos);
}

TEST_F(InterruptPoints, ReadingAProgramStops) {
  const transcript::TemporaryDirectory directory;
  const std::string file = directory.path() + "/interrupt.prg";
  std::ofstream(file) << "? 1;\n? 2;\n";
  localInterruptRequest();
  localReturnStateType state = localErrorTypeOK;
  std::wstring text;
  testSupport::CoutCapture capture;
  EXPECT_FALSE(localString::readFromFile(state, localString::stdStringMultibyteToStdWString(file), text));
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_NE(capture.text().find(interrupted + "readFromFile"), std::string::npos);
}

TEST_F(InterruptPoints, CompilingAProgramStops) {
  localInterruptRequest();
  const programTest::Compiled compiled = programTest::compile(L"x = 1;\ny = 2;\n", &context_);
  EXPECT_FALSE(compiled.ok);
  EXPECT_EQ(compiled.state, localErrorTypeCODE);
  EXPECT_EQ(compiled.printed, programTest::traceLine(interrupted, "textCompile", 2193));
}

TEST_F(InterruptPoints, RecursionWithoutLoopsStops) {
  // Two calls a level, 100 levels deep (a function sees its caller's variables): 2^100
  // calls and no loop, so only the check at every call can end it.
  localInterruptSetCheckBudget(2000);
  localInterruptLineStarts();
  const programTest::Run run = programTest::run(
      L"FUNCTION F() D = D + 1; IF D < 100 THEN F(); F(); ENDIF; D = D - 1; ENDFUNCTION;\nD = 0;\nF();\n",
      &context_);
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.state, localErrorTypeCODE);
  EXPECT_EQ(occurrences(run.printed, interrupted + "funcExec"), 1u);
}
