// The command line of the interpreter as a user meets it: help, version, usage errors,
// FILE and -c modes with their exit statuses, the encoding option, and the examples.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app_process_support.h"
#include "transcript_process.h"

namespace {

namespace fs = std::filesystem;
using appTest::runInterpreter;

const std::string startLine = "func: main file: main line: 603\n";
const std::string prompt = "localInterpretatorUTF8::console # ";
// The line a program run begins with, as the CP866 console prints it.
const std::string programStartCp866 =
    "\x91\x92\x80\x90\x92!!!!!!:  func: textExec file: localInterpretatorUTF8 line: 2751\n";

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(AppCommandLine, HelpAndVersionGoToStdoutAndSucceed) {
  const appTest::Run help = runInterpreter({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: localinterp [options] [FILE]\n", 0), 0u) << help.out;
  EXPECT_TRUE(contains(help.out, "--encoding=NAME"));
  EXPECT_EQ(help.err, "");
  const appTest::Run version = runInterpreter({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("localinterp ") + LOCALINTERP_VERSION + "\n");
}

TEST(AppCommandLine, UsageErrorsPrintTheUsageOnStderrAndExitWithTwo) {
  // Every refused form is in the option tests; here what the process does with one.
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--bogus"}, {"--encoding=latin1"}}) {
    const appTest::Run run = runInterpreter(arguments, "? 1\n");
    EXPECT_EQ(run.status, 2) << arguments[0];
    EXPECT_EQ(run.out, "") << arguments[0];
    EXPECT_TRUE(contains(run.err, "Usage: localinterp")) << run.err;
  }
}

TEST(AppCommandLine, FileRunsWithoutPromptAndReportsSuccessOrFailure) {
  transcript::TemporaryDirectory work;
  ASSERT_TRUE(transcript::writeBinaryFile(work.path() + "/good.prg", "x = 2; ? x * 21;\n"));
  ASSERT_TRUE(transcript::writeBinaryFile(work.path() + "/bad.prg", "? 1; ? nosuch;\n"));
  const appTest::Run good = runInterpreter({"--encoding=cp866", "good.prg"}, "", work.path());
  EXPECT_EQ(good.status, 0) << good.err;
  EXPECT_EQ(good.out, "42\n");
  EXPECT_EQ(good.err, "");
  EXPECT_EQ(runInterpreter({"--encoding=cp866", "--trace", "good.prg"}, "", work.path()).err, programStartCp866);
  const appTest::Run bad = runInterpreter({"--encoding=cp866", "--trace", "bad.prg"}, "", work.path());
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "1\n");
  EXPECT_EQ(bad.err.rfind(programStartCp866, 0), 0u) << bad.err;
  EXPECT_TRUE(contains(bad.err, "func: scanStringGetOperatorAndExec file: localInterpretatorUTF8 line: 1922\n"));
  EXPECT_FALSE(contains(bad.out, prompt));
  // Standard input is not read after a FILE.
  const appTest::Run quiet = runInterpreter({"good.prg"}, "? 'never'\n", work.path());
  EXPECT_FALSE(contains(quiet.out, "never"));
}

// Standard output carries the protocol alone, even where the compiler reports a failure
// with its trace lines; `exit` after `shutdown` ends the process with 0.
TEST(AppCommandLine, LanguageServerWritesOnlyProtocolMessagesOnStdout) {
  std::string input;
  for (const std::string& content :
       {std::string(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})"),
        std::string(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
                    R"({"uri":"file:///a.prg","languageId":"localinterp","version":1,"text":"IF 1 THEN\n x = (;\nDO a.prg;"}}})"),
        std::string(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})"), std::string(R"({"jsonrpc":"2.0","method":"exit"})")})
    input += "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + content;
  const appTest::Run run = appTest::runInterpreter({"--lsp"}, input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  std::size_t messages = 0;
  for (std::size_t at = 0; at < run.out.size(); ++messages) {
    ASSERT_EQ(run.out.compare(at, 16, "Content-Length: "), 0) << run.out.substr(at);
    const std::size_t blank = run.out.find("\r\n\r\n", at);
    ASSERT_NE(blank, std::string::npos);
    at = blank + 4 + std::stoul(run.out.substr(at + 16, blank - at - 16));
  }
  EXPECT_EQ(messages, 3u) << run.out;  // initialize, the diagnostics, shutdown
}

TEST(AppCommandLine, UnreadableFileIsAUsageError) {
  transcript::TemporaryDirectory work;
  const appTest::Run missing = runInterpreter({"missing.prg"}, "", work.path());
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_TRUE(contains(missing.err, "missing.prg")) << missing.err;
  const appTest::Run folder = runInterpreter({"."}, "", work.path());
  EXPECT_EQ(folder.status, 2);
}

TEST(AppCommandLine, CommandTextRunsConsoleLinesAndInteractiveContinues) {
  const appTest::Run run = runInterpreter({"-c", "x = 5\n? x + 1\n"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "6\n");
  const appTest::Run failed = runInterpreter({"-c", "? nosuch\n? 2"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_TRUE(contains(failed.err, "-c:1:3: ")) << failed.err;
  EXPECT_EQ(failed.out, "2\n") << "a failed line does not stop the next";
  // QUIT ends everything, the console of -i included.
  const appTest::Run quit = runInterpreter({"-i", "-c", "QUIT\n? 3"}, "? 4\n");
  EXPECT_EQ(quit.out, "Good bye!\n");
  // -i keeps the variables for the console, which prompts without the start-up line.
  const appTest::Run interactive = runInterpreter({"-i", "-c", "x = 7"}, "? x\n");
  EXPECT_EQ(interactive.status, 0);
  EXPECT_EQ(interactive.out, prompt + "7\n" + prompt);
}

TEST(AppCommandLine, WithoutArgumentsThePipedConsoleIsCp866) {
  const appTest::Run run = runInterpreter({}, "? '\xF0\xA6'\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, startLine + prompt + "\xF0\xA6\n" + prompt);
}

TEST(AppCommandLine, Utf8ConsoleRoundTripsEveryCharacter) {
  const std::string text = "Привет — №5, € 10, café, Ёж, ☃";
  const appTest::Run run = runInterpreter({"--encoding=utf8"}, "? '" + text + "'\n? STRLEN('—№€é')\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, startLine + prompt + text + "\n" + prompt + "4\n" + prompt);
  // Russian names of variables work as typed.
  const appTest::Run names = runInterpreter({"--encoding", "utf8", "-c", "привет = 1\n? ПРИВЕТ + 1"});
  EXPECT_EQ(names.out, "2\n");
}

TEST(AppCommandLine, InvalidUtf8InputIsReportedAndNotRun) {
  const appTest::Run run = runInterpreter({"--encoding=utf8"}, "? 'a\xFF'\n? 1\n");
  EXPECT_EQ(run.status, 1);  // a piped console whose line failed
  EXPECT_EQ(run.out, startLine + prompt +
                         "Error Строка не в кодировке UTF-8 (байт 0xFF на позиции 5), она не выполнена.\n" +
                         prompt + "1\n" + prompt);
}

TEST(AppCommandLine, ProgramFilesAreUtf8WhenValidInUtf8ModeAndCp1251Otherwise) {
  transcript::TemporaryDirectory work;
  ASSERT_TRUE(transcript::writeBinaryFile(work.path() + "/utf8.prg", "? 'Ёж — №1';\n"));
  ASSERT_TRUE(transcript::writeBinaryFile(work.path() + "/bom.prg", "\xEF\xBB\xBF? 'Ёж';\r\n"));
  ASSERT_TRUE(transcript::writeBinaryFile(work.path() + "/cp1251.prg", "? '\xA8\xE6';\n"));
  EXPECT_EQ(runInterpreter({"--encoding=utf8", "utf8.prg"}, "", work.path()).out, "Ёж — №1\n");
  EXPECT_EQ(runInterpreter({"--encoding=utf8", "bom.prg"}, "", work.path()).out, "Ёж\n");
  EXPECT_EQ(runInterpreter({"--encoding=utf8", "cp1251.prg"}, "", work.path()).out, "Ёж\n");
  // The CP866 console reads every file as CP1251.
  EXPECT_EQ(runInterpreter({"--encoding=cp866", "cp1251.prg"}, "", work.path()).out, "\xF0\xA6\n");
}

// Every program in examples/ runs from the command line and prints what its expected
// output in tests/examples/ holds.
class ExampleTest : public testing::TestWithParam<std::string> {};

std::vector<std::string> examplePrograms() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(LOCALINTERP_EXAMPLES, error)) {
    if (entry.path().extension() == ".prg") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ExampleSet, HasProgramsInBothKeywordSets) { EXPECT_GE(examplePrograms().size(), 6u); }

TEST_P(ExampleTest, PrintsItsExpectedOutput) {
  const fs::path expectedPath =
      fs::path(LOCALINTERP_EXAMPLES).parent_path() / "tests" / "examples" / (GetParam() + ".out");
  std::string expected;
  ASSERT_TRUE(transcript::readBinaryFile(expectedPath.string(), expected)) << expectedPath;
  const appTest::Run run = runInterpreter({"--encoding=utf8", GetParam() + ".prg"}, "", LOCALINTERP_EXAMPLES);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, testing::ValuesIn(examplePrograms()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
