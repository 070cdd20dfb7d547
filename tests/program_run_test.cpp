// Program runs in-process: the start line of an empty program, and the report of a
// compile error that stopped on a line end (the console transcripts cover the rest).
#include <gtest/gtest.h>

#include "program_test_support.h"

namespace {

using programTest::run;
using programTest::traceLine;

TEST(ProgramRun, EmptyProgramOnlyAnnouncesItsStart) {
  localContextUTF8 context;
  auto result = run(L"  // nothing\n", &context);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.printed, traceLine("СТАРТ!!!!!!:  func: ", "textExec", 2751));
}

TEST(ProgramRun, StopOnALineEndReportsColumnZeroOfTheNextLine) {
  // PRINT stops right before the line feed, which counts to the next line: the column
  // must not wrap around below that line's start.
  localContextUTF8 context;
  auto result = run(L"PRINT\nx;", &context);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.state, localErrorTypeSYNTAXexpectedSemicolon);
  EXPECT_EQ(result.printed, traceLine("finished at line: [2] pos in line [0] func: ", "textCompile", 2684) +
                                traceLine("текст сошибкой: [PRINT] func: ", "textCompile", 2686) +
                                "x; \nСинтаксическая ошибка. Ожидается \";\" \nline: 2 pos: 0" +
                                traceLine(" func: ", "textExec", 2739));
}

}  // namespace
