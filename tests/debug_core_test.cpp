// The debugger core driven as a front-end drives it: a scripted driver answers each stop
// and records where the program stood. Both engines must stop at the same lines.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "debug/localDebugger.h"
#include "program/localCode.h"
#include "tests/test_cout_capture.h"

namespace {

namespace fs = std::filesystem;
using localDebug::resume;

// Line 1 is a comment; SQUARE's body is line 3; the loop runs three times; the last
// statement starts on line 15 and reads its operand on line 16.
const char* const program =
    "// squares\n"
    "PROCEDURE Square()\n"
    "  sq = k * k;\n"
    "ENDPROCEDURE;\n"
    "total = 0;\n"
    "FOR k = 1 TO 3 DO\n"
    "\n"
    "  Square();\n"
    "  total = total + sq;\n"
    "ENDDO;\n"
    "i = 0;\n"
    "WHILE i < 2 DO\n"
    "  i = i + 1;\n"
    "ENDDO;\n"
    "?\n"
    "  total;\n";

struct scripted final : localDebug::driver {
  std::function<resume(const localDebug::stop&)> answer;
  std::vector<unsigned> lines;
  std::vector<localDebug::reason> reasons;
  bool succeeded = false;
  resume stopped(const localDebug::stop& event) override {
    lines.push_back(event.where.line);
    reasons.push_back(event.why);
    return answer(event);
  }
  void ended(bool ok, localReturnStateType) override { succeeded = ok; }
};

class DebugCore : public ::testing::TestWithParam<localEngine::kind> {
 protected:
  void SetUp() override {
    localEngine::set(GetParam());
    const std::string engine = GetParam() == localEngine::kind::code ? "code" : "scan";
    file_ = (fs::temp_directory_path() / ("debug_core_" + engine + "_" + std::to_string(::getpid()) + ".prg")).string();
    std::ofstream(file_, std::ios::binary) << program;
  }
  void TearDown() override {
    localEngine::set(localEngine::kind::code);
    fs::remove(file_);
  }
  bool run(localDebug::debugger& debugger, bool stopOnEntry = true) {
    testSupport::CoutCapture capture;
    localReturnStateType state = localErrorTypeOK;
    const bool ok = debugger.run(state, name(), stopOnEntry);
    printed_ = capture.text();
    return ok;
  }
  std::wstring name() const { return fs::path(file_).wstring(); }

  localContextUTF8 context_;
  scripted driver_;
  std::string file_;
  std::string printed_;
};

TEST_P(DebugCore, StepsLineByLineIntoProceduresAndThroughLoops) {
  localDebug::debugger debugger(context_, driver_);
  driver_.answer = [](const localDebug::stop&) { return resume::step; };
  EXPECT_TRUE(run(debugger));
  const std::vector<unsigned> expected = {5, 6, 8, 3, 9, 6, 8, 3, 9, 6, 8, 3, 9, 6, 11, 12, 13, 13, 15};
  EXPECT_EQ(driver_.lines, expected);
  EXPECT_EQ(driver_.reasons.front(), localDebug::reason::entry);
  EXPECT_EQ(printed_.substr(printed_.size() - 3), "14\n");
}

TEST_P(DebugCore, NextStepsOverCallsAndFinishLeavesTheProcedure) {
  localDebug::debugger debugger(context_, driver_);
  std::vector<std::size_t> depths;
  const std::vector<resume> script = {resume::next, resume::next, resume::step, resume::finish, resume::next,
                                      resume::next, resume::run};
  std::size_t at = 0;
  driver_.answer = [&](const localDebug::stop&) {
    depths.push_back(debugger.stack().size());
    return script[at++];
  };
  EXPECT_TRUE(run(debugger));
  EXPECT_EQ(driver_.lines, (std::vector<unsigned>{5, 6, 8, 3, 9, 6, 8}));
  EXPECT_EQ(depths, (std::vector<std::size_t>{1, 1, 1, 2, 1, 1, 1}));
}

TEST_P(DebugCore, TheSameCallOnTwoLinesIsTwoPlaces) {
  std::ofstream(file_, std::ios::binary | std::ios::trunc) << "P();\nP();\nPROCEDURE P()\n  y = 2;\nENDPROCEDURE;\n";
  localDebug::debugger debugger(context_, driver_);
  driver_.answer = [](const localDebug::stop&) { return resume::step; };
  EXPECT_TRUE(run(debugger));
  EXPECT_EQ(driver_.lines, (std::vector<unsigned>{1, 4, 2, 4}));
}

TEST_P(DebugCore, BreakpointsSetBeforeTheRunMoveToTheNextStatementOnceCompiled) {
  localDebug::debugger debugger(context_, driver_);
  const localDebug::breakpoint early = debugger.breakAtLine(7, name());
  EXPECT_FALSE(early.verified);
  debugger.breakAtProcedure(L"square");
  int hits = 0;
  driver_.answer = [&](const localDebug::stop& event) {
    if (event.why == localDebug::reason::breakpoint) ++hits;
    return resume::run;
  };
  EXPECT_TRUE(run(debugger, false));
  ASSERT_EQ(debugger.breakpoints().size(), 2u);
  EXPECT_TRUE(debugger.breakpoints()[0].verified);
  EXPECT_EQ(debugger.breakpoints()[0].where.line, 8u);
  EXPECT_EQ(hits, 3);
  // Each pass: the line's breakpoint, then the procedure's on entering SQUARE.
  EXPECT_EQ(driver_.lines, (std::vector<unsigned>{8, 3, 8, 3, 8, 3}));
  EXPECT_EQ(driver_.reasons[1], localDebug::reason::procedure);
}

TEST_P(DebugCore, WhatTheDriverDoesWhileStoppedDoesNotStopOrDisturbTheProgram) {
  localDebug::debugger debugger(context_, driver_);
  debugger.breakAtProcedure(L"SQUARE");
  bool evaluated = false;
  driver_.answer = [&](const localDebug::stop& event) {
    if (event.why != localDebug::reason::entry) return resume::run;
    // A call of a procedure with a breakpoint from print runs it without stopping; a new
    // variable made by an assignment is seen by the running code.
    localReturnStateType state = localErrorTypeOK;
    localValueDescription value;
    EXPECT_TRUE(debugger.assign(state, L"k = 4"));
    EXPECT_TRUE(debugger.evaluate(state, L"SQUARE()", value));
    evaluated = debugger.evaluate(state, L"sq + 1", value) && value.getNum() == 17;
    EXPECT_FALSE(debugger.evaluate(state, L"sq +", value));
    EXPECT_TRUE(debugger.assign(state, L"fresh = 1"));
    debugger.deleteBreakpoints();
    return resume::run;
  };
  EXPECT_TRUE(run(debugger));
  EXPECT_TRUE(evaluated);
  EXPECT_EQ(driver_.lines.size(), 1u);
  EXPECT_EQ(printed_.substr(printed_.size() - 3), "14\n");
}

TEST_P(DebugCore, QuitEndsTheProgramQuietlyAndKeepsItsVariables) {
  localDebug::debugger debugger(context_, driver_);
  debugger.watch(L"total");
  std::vector<std::wstring> changes;
  driver_.answer = [&](const localDebug::stop& event) {
    for (const localDebug::change& changed : event.changes) changes.push_back(changed.before + L">" + changed.after);
    if (event.why == localDebug::reason::entry) return resume::run;
    return event.why == localDebug::reason::watch && event.changes[0].after == L"1" ? resume::quit : resume::run;
  };
  EXPECT_TRUE(run(debugger));
  EXPECT_TRUE(driver_.succeeded);
  EXPECT_EQ(changes, (std::vector<std::wstring>{L">0", L"0>1"}));
  EXPECT_EQ(printed_.find("ERROR"), std::string::npos) << printed_;
  EXPECT_NE(context_.varFind(L"TOTAL"), localContextUTF8::npos);
  EXPECT_EQ(context_.varFind(L"I"), localContextUTF8::npos);  // never reached
}

TEST_P(DebugCore, TheStackNamesTheProcedureThatRunsNowAfterAnotherReturnedInTheSameStatement) {
  std::ofstream(file_, std::ios::binary) << "FUNCTION F()\n  a = 1;\nENDFUNCTION;\nFUNCTION G()\n  b = 2;\n"
                                            "ENDFUNCTION;\nx = F() + G();\n";
  localDebug::debugger debugger(context_, driver_);
  debugger.breakAtProcedure(L"g");
  std::vector<localDebug::frame> frames;
  driver_.answer = [&](const localDebug::stop&) {
    frames = debugger.stack();
    return resume::run;
  };
  EXPECT_TRUE(run(debugger, false));
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].procedure, L"G");
  EXPECT_EQ(frames[0].where.line, 5u);
  EXPECT_TRUE(frames[1].program);
  EXPECT_EQ(frames[1].where.line, 7u);
}

INSTANTIATE_TEST_SUITE_P(BothEngines, DebugCore,
                         ::testing::Values(localEngine::kind::code, localEngine::kind::scan),
                         [](const auto& info) { return info.param == localEngine::kind::code ? "code" : "scan"; });

}  // namespace
