// Console commands carried out in normal mode: the exact command lines handed to the
// operating system, MODIFY COMMAND's file creation, DO's reported failures, assignments
// and the memory commands.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "context/localContextUTF8.h"
#include "interp/localInterpretatorUTF8.h"
#include "shell_test_support.h"
#include "text/localString.h"

namespace {

namespace fs = std::filesystem;
using shellTest::CoutCapture;
using shellTest::SystemRecorder;

struct Outcome {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  std::string printed;
};

Outcome execute(localContextUTF8* context, const std::wstring& text) {
  CoutCapture capture;
  Outcome outcome;
  outcome.ok =
      localInterpretatorUTF8::scanStringGetOperatorAndExec(outcome.state, text, outcome.position, context, false);
  outcome.printed = capture.text();
  return outcome;
}

// A private directory for files the commands create.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    path_ = fs::temp_directory_path() / ("localinterp_shell_" + std::to_string(getpid()));
    fs::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string fileContent(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ShellSystemCommands, CommandLinesHandedToTheOperatingSystem) {
  struct Case {
    std::wstring text;
    std::string line;
  };
  const Case cases[] = {
      {L"DIR", "start \"\" dir /OG"},
      {L"DIRE", "start \"\" dir /OG"},
      {L"directory", "start \"\" dir /OG"},
      {L"RUN notepad", "start \"\" notepad"},
      {L"RUN notepad main.prg", "start \"\" notepad"},
      {L"RUN \"notepad main.prg\"", "start \"\" notepad main.prg"},
      {L"RUN \"notepad\" + \" x.txt  \"", "start \"\" notepad x.txt"},  // blanks at the end removed
      {L"RUN", "start \"\" "},
      {L"RUN 'notepad'", "start \"\" "},  // no word at the apostrophe
      {L"RUN \"блокнот\"", "start \"\" \xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBD\xD0\xBE\xD1\x82"},
  };
  localContextUTF8 context;
  for (const Case& c : cases) {
    SystemRecorder recorder;
    const Outcome outcome = execute(&context, c.text);
    EXPECT_TRUE(outcome.ok) << c.line;
    ASSERT_EQ(recorder.lines.size(), 1u) << c.line;
    EXPECT_EQ(recorder.lines[0], c.line);
  }
}

TEST(ShellSystemCommands, RunWithFailingStringExpressionRunsNothing) {
  localContextUTF8 context;
  SystemRecorder recorder;
  const Outcome outcome = execute(&context, L"RUN \"a\" + 1");
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.state, localErrorTypeOPERANDtype);
  EXPECT_TRUE(recorder.lines.empty());
}

TEST(ShellSystemCommands, ModifyCommandCreatesAMissingFileWithOneLineEnd) {
  ScratchDirectory scratch;
  const fs::path file = scratch.path() / "x.txt";
  const std::wstring name = localString::stdStringMultibyteToStdWString(file.string());
  localContextUTF8 context;
  SystemRecorder recorder;

  const Outcome created = execute(&context, L"MODIFY COMMAND " + name + L"   ");
  EXPECT_TRUE(created.ok);
  EXPECT_EQ(created.printed, "filename = [" + file.string() + "] i = 15\n");
  EXPECT_EQ(fileContent(file), "\n");
  ASSERT_EQ(recorder.lines.size(), 1u);
  EXPECT_EQ(recorder.lines[0], "start \"\" wordpad.exe " + file.string());

  // An existing file is left as it is.
  std::ofstream(file, std::ios::binary) << "keep";
  EXPECT_TRUE(execute(&context, L"MODI COMM " + name).ok);
  EXPECT_EQ(fileContent(file), "keep");
  EXPECT_EQ(recorder.lines.size(), 2u);
}

TEST(ShellSystemCommands, ModifyCommandTakesTheRestOfTheLineAsName) {
  ScratchDirectory scratch;
  const fs::path file = scratch.path() / "my file.txt";
  localContextUTF8 context;
  SystemRecorder recorder;
  EXPECT_TRUE(execute(&context, L"MODIFY COMMAND " + localString::stdStringMultibyteToStdWString(file.string())).ok);
  EXPECT_TRUE(fs::exists(file));
  ASSERT_EQ(recorder.lines.size(), 1u);
  EXPECT_EQ(recorder.lines[0], "start \"\" wordpad.exe " + file.string());
}

// A failed DO leaves the code of the real failure in the caller's state.
TEST(ShellDo, FailuresReportTheirCause) {
  localContextUTF8 context;
  Outcome missingName = execute(&context, L"DO");
  EXPECT_FALSE(missingName.ok);
  EXPECT_EQ(missingName.state, localErrorTypeSYNTAX);
  EXPECT_EQ(missingName.printed, "");

  Outcome badQuote = execute(&context, L"DO \"open");
  EXPECT_FALSE(badQuote.ok);
  EXPECT_EQ(badQuote.state, localErrorTypeSYNTAX);

  Outcome missingFile = execute(&context, L"DO /nonexistent/dir/x.prg");
  EXPECT_FALSE(missingFile.ok);
  EXPECT_EQ(missingFile.state, localErrorTypeFILEnotFound);
  EXPECT_EQ(missingFile.printed,
            "Error! \nФайл не найден. func: scanStringGetOperatorAndExec file: localInterpretatorUTF8 line: 1914\n");
}

TEST(ShellDo, FailingProgramPassesItsStateOn) {
  ScratchDirectory scratch;
  const fs::path file = scratch.path() / "bad.prg";
  std::ofstream(file, std::ios::binary) << "z = 1;\n? 1 / 0;\n";
  localContextUTF8 context;
  const Outcome outcome = execute(&context, L"DO " + localString::stdStringMultibyteToStdWString(file.string()));
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.state, localErrorTypeDIVISIONbyZero);
  // The statements before the failure have run.
  ASSERT_NE(context.varGetPointer(L"Z"), nullptr);
  EXPECT_EQ(context.varGetPointer(L"Z")->value.getNum(), 1.0);
}

TEST(ShellAssignment, CreatesTheVariableBeforeEvaluating) {
  localContextUTF8 context;
  EXPECT_TRUE(execute(&context, L"y = y + 1").ok);
  EXPECT_EQ(context.varGetPointer(L"Y")->value.getNum(), 1.0);

  const Outcome failed = execute(&context, L"w = 1 + 'a'");
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.state, localErrorTypeSYNTAX);  // whatever the evaluator reported
  EXPECT_EQ(failed.printed,
            "Syntax ERROR in line lineNumber!!! func: scanStringGetOperatorAndExec file: localInterpretatorUTF8 "
            "line: 1897\n");
  ASSERT_NE(context.varGetPointer(L"W"), nullptr);
  EXPECT_EQ(context.varGetPointer(L"W")->value.getNum(), 0.0);
}

TEST(ShellAssignment, OnlyAVariableNameCanBeAssigned) {
  localContextUTF8 context;
  const unsigned before = context.varCount();
  const Outcome empty = execute(&context, L"= 5");
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.state, localErrorTypeSYNTAX);
  EXPECT_TRUE(execute(&context, L"5 = 5").ok);  // a comparison, evaluated and dropped
  EXPECT_EQ(context.varCount(), before);
  EXPECT_EQ(context.varGetPointer(L""), nullptr);
  EXPECT_EQ(context.varGetPointer(L"5"), nullptr);
}

TEST(ShellAssignment, CommandWordFollowedByEqualsIsAVariable) {
  localContextUTF8 context;
  EXPECT_TRUE(execute(&context, L"HELP = 2").ok);
  EXPECT_EQ(execute(&context, L"? help").printed, "2\n");
}

TEST(ShellMemory, ClearMemoryRemovesEveryVariableWhateverTheTemplate) {
  localContextUTF8 context;
  EXPECT_TRUE(execute(&context, L"keep = 1").ok);
  const Outcome cleared = execute(&context, L"CLEAR MEMORY KEEP*");
  EXPECT_TRUE(cleared.ok);
  EXPECT_EQ(context.varCount(), 0u);
  EXPECT_EQ(context.funcCount(), 34u);  // functions stay
}

TEST(ShellPrint, FailedExpressionPrintsItsTraceLine) {
  localContextUTF8 context;
  const Outcome outcome = execute(&context, L"? 1 / 0");
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.state, localErrorTypeDIVISIONbyZero);
  EXPECT_EQ(outcome.printed, "ERROR!!! func: scanStringGetOperatorAndExec file: localInterpretatorUTF8 line: 1855\n");
}

TEST(ShellStatements, AnAttributeOnTheLeftIsNoAssignment) {
  localContextUTF8 context;
  EXPECT_TRUE(execute(&context, L"LOAD CLASS TEST").ok);
  EXPECT_TRUE(execute(&context, L"t = CREATEOBJECT('TEST')").ok);
  const Outcome compared = execute(&context, L"t.ATTRIBINT = 5");
  EXPECT_TRUE(compared.ok);
  EXPECT_EQ(compared.printed, "");
  EXPECT_EQ(execute(&context, L"? t.ATTRIBINT").printed, "12121212\n");
}

}  // namespace
