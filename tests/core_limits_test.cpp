// Bounds on what input can make the interpreter build or read: the string length limit
// and the checks that keep DO and MODIFY COMMAND off devices, pipes and huge files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localFileReader.h"
#include "core/localStringLimit.h"
#include "program/localCode.h"
#include "interp/localInterpretatorUTF8.h"
#include "tests/program_test_support.h"
#include "tests/shell_test_support.h"
#include "tests/transcript_process.h"

namespace {

namespace fs = std::filesystem;

class LoweredStringLimit {
 public:
  explicit LoweredStringLimit(std::size_t characters) { localStringSetLengthLimit(characters); }
  ~LoweredStringLimit() { localStringSetLengthLimit(0); }
  LoweredStringLimit(const LoweredStringLimit&) = delete;
  LoweredStringLimit& operator=(const LoweredStringLimit&) = delete;
};

programTest::Run runLine(localContextUTF8& context, const std::wstring& line) {
  return programTest::runLine(line, &context);
}

std::wstring variableText(localContextUTF8& context, const std::wstring& name) {
  const localContextUTF8::variableDescription* variable = context.varGetPointer(name);
  return variable != nullptr ? variable->value.getStr() : L"<missing>";
}

// A fresh directory of its own, removed afterwards, with paths inside it.
class ScratchDirectory {
 public:
  std::string file(const std::string& name) const { return (fs::path(directory_.path()) / name).string(); }

 private:
  transcript::TemporaryDirectory directory_;
};

}  // namespace

TEST(LimitsStringLength, TheRealLimitIsRefusedBeforeAnythingIsAllocated) {
  ASSERT_EQ(localStringLengthLimit(), std::size_t{1} << 27);
  // One operand of 2^26 + 1 characters (256 MB); its double would be 512 MB more.
  localValueDescription half;
  half.setVal(std::wstring((std::size_t{1} << 26) + 1, L'x'));
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;
  testSupport::CoutCapture capture;
  EXPECT_FALSE(localInterpretatorUTF8::binaryOperationByEnumEvaluate(state, result, localPossibleBinaryOperationPLUS,
                                                                     half, half));
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_EQ(capture.text(),
            "localErrorTypeCODE!!! строка длиной 134217730 символов длиннее предела 134217728 func: "
            "binaryOperationByEnumEvaluate file: localInterpretatorUTF8 line: 1190\n");
  EXPECT_EQ(result.getType(), localValueDescription::typeNumber);  // untouched
}

TEST(LimitsStringLength, ConcatenationPastTheLimitFailsBeforeBuildingAndKeepsVariables) {
  LoweredStringLimit limit(8);
  localContextUTF8 context;
  ASSERT_TRUE(runLine(context, L"s = 'abcd'").ok);
  EXPECT_TRUE(runLine(context, L"s = s + s").ok);  // exactly at the limit
  EXPECT_EQ(variableText(context, L"S"), L"abcdabcd");

  const programTest::Run assignment = runLine(context, L"s = s + 'x'");
  EXPECT_FALSE(assignment.ok);
  EXPECT_EQ(assignment.state, localErrorTypeSYNTAX);  // what a failed assignment reports
  EXPECT_EQ(assignment.printed.rfind(
                "localErrorTypeCODE!!! строка длиной 9 символов длиннее предела 8 func: "
                "binaryOperationByEnumEvaluate file: localInterpretatorUTF8 line: 1190\n",
                0),
            0u);
  EXPECT_EQ(variableText(context, L"S"), L"abcdabcd");

  const programTest::Run printed = runLine(context, L"? 'x' + s");
  EXPECT_FALSE(printed.ok);
  EXPECT_EQ(printed.state, localErrorTypeCODE);
  EXPECT_TRUE(runLine(context, L"t = RIGHT(s, 2) + 'yz'").ok);  // shorter strings still build
  EXPECT_EQ(variableText(context, L"T"), L"cdyz");
}

TEST(LimitsStringLength, AppendsInAProgramStopAtTheLimitAsScanningStops) {
  LoweredStringLimit limit(6);
  const std::wstring program = L"s = 'ab'; t = 'c';\nFOR i = 1 TO 9 DO s = s + 'x'; s = s + t; ENDDO;\n";
  std::string printed[2];
  std::wstring text[2];
  for (const bool scanOnly : {false, true}) {
    localEngine::set(scanOnly ? localEngine::kind::scan : localEngine::kind::code);
    localContextUTF8 context;
    const programTest::Run run = programTest::run(program, &context);
    EXPECT_FALSE(run.ok);
    printed[scanOnly] = run.printed;
    text[scanOnly] = variableText(context, L"S");
  }
  localEngine::set(localEngine::kind::code);
  EXPECT_EQ(printed[0], printed[1]);
  EXPECT_EQ(text[0], L"abxcxc");
  EXPECT_EQ(text[1], text[0]);
  EXPECT_NE(printed[0].find("строка длиной 7 символов длиннее предела 6"), std::string::npos);
}

TEST(LimitsStringLength, EndlessDoublingInAProgramEndsAtTheLimit) {
  LoweredStringLimit limit(64);
  localContextUTF8 context;
  const programTest::Run run = programTest::run(L"s = 'ab';\nWHILE 1 DO s = s + s; ENDDO;\n", &context);
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.state, localErrorTypeCODE);
  EXPECT_EQ(variableText(context, L"S").size(), 64u);
}

TEST(LimitsProgramFiles, HugeFilesPipesAndDirectoriesAreRefusedBeforeReading) {
  ScratchDirectory scratch;
  const std::string huge = scratch.file("huge.prg");
  std::ofstream(huge) << "? 1;\n";
  fs::resize_file(huge, localString::programFileSizeLimit + 1);  // sparse: nothing is written
  const std::string pipe = scratch.file("pipe.prg");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string fitting = scratch.file("fits.prg");
  std::ofstream(fitting) << "? 1;\n";

  for (const std::string& name : {huge, pipe, scratch.file("")}) {
    localReturnStateType state = localErrorTypeOK;
    std::wstring text;
    testSupport::CoutCapture capture;
    // A pipe without a writer would block the open for ever.
    EXPECT_FALSE(localString::readFromFile(state, localString::stdStringMultibyteToStdWString(name), text)) << name;
    EXPECT_EQ(state, localErrorTypeFILEnotFound);
    EXPECT_TRUE(text.empty());
    EXPECT_NE(capture.text().find("func: readFromFile file: localInterpretatorUTF8 line: 2801"), std::string::npos);
  }
  EXPECT_EQ(localString::fileRefusal(huge, localString::programFileSizeLimit),
            L"[" + localString::stdStringMultibyteToStdWString(huge) + L"] длиннее 67108864 байт");
  EXPECT_EQ(localString::fileRefusal(fitting, localString::programFileSizeLimit), L"");
  EXPECT_EQ(localString::fileRefusal(scratch.file("missing.prg"), localString::programFileSizeLimit), L"");
}

TEST(LimitsProgramFiles, ModifyCommandRefusesAPipeWithoutOpeningIt) {
  ScratchDirectory scratch;
  const std::string pipe = scratch.file("pipe.txt");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  shellTest::SystemRecorder recorder;
  localContextUTF8 context;
  const programTest::Run run = runLine(context, L"MODIFY COMMAND " + localString::stdStringMultibyteToStdWString(pipe));
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.state, localErrorTypeFILEnotFound);
  EXPECT_TRUE(recorder.lines.empty());  // no editor started
  EXPECT_NE(run.printed.find("не является обычным файлом func: scanStringGetOperatorAndExec"), std::string::npos);
}
