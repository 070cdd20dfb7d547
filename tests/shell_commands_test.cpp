// Console commands carried out in normal mode: the exact command lines handed to the
// operating system, MODIFY COMMAND's file creation, and a statement that only looks like
// an assignment.
#include <gtest/gtest.h>

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
