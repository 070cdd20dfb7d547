// Hostile programs run through the real console: runaway recursion of a user function,
// a program that runs itself with DO, and blocks nested 100,000 deep. Each must end with
// a failure report and leave the console working; their output is too long for a
// transcript, so only its decisive parts are checked.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "transcript_codec.h"
#include "transcript_process.h"

namespace {

namespace fs = std::filesystem;

struct Session {
  bool finished = false;
  std::string output;  // decoded to UTF-8
};

Session runConsole(const std::string& input, const std::string& fileName, const std::string& fileBytes) {
  Session session;
  transcript::TemporaryDirectory work;
  transcript::TemporaryDirectory streams;
  if (!transcript::writeBinaryFile(work.path() + "/" + fileName, fileBytes)) return session;
  if (!transcript::writeBinaryFile(streams.path() + "/stdin", input)) return session;
  const auto result = transcript::runProcess(fs::absolute(LOCALINTERP_BINARY).string(), work.path(),
                                             streams.path() + "/stdin", streams.path() + "/stdout",
                                             streams.path() + "/stderr", std::chrono::seconds(60));
  // Every session here has a failed line, which a piped console reports with status 1.
  session.finished = result.started && !result.timedOut && result.exited && result.exitCode == 1;
  std::string raw;
  transcript::readBinaryFile(streams.path() + "/stdout", raw);
  session.output = transcript::decodeConsoleOutput(raw);
  return session;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

const std::string prompt = "localInterpretatorUTF8::console # ";
const std::string codeError = "Error Ошибка кода. Проверьте консольный вывод. Обратитесь к разработчику.\n";

TEST(ProgramConsoleLimits, RunawayRecursionEndsWithAFailureAndTheConsoleGoesOn) {
  const Session session =
      runConsole("DO w.prg\n? 1+1\nQUIT\n", "w.prg", "FUNCTION W() W(); ENDFUNCTION;\nW();\n");
  ASSERT_TRUE(session.finished);
  EXPECT_EQ(occurrences(session.output, "слишком глубокая вложенность вызовов"), 1u);
  EXPECT_TRUE(session.output.ends_with(codeError + prompt + "2\n" + prompt + "Good bye!\n"))
      << session.output.substr(session.output.size() > 2000 ? session.output.size() - 2000 : 0);
}

TEST(ProgramConsoleLimits, ProgramRunningItselfEndsWithAFailureAndTheConsoleGoesOn) {
  const Session session =
      runConsole("n = 0\nDO self.prg\n? n > 100\nQUIT\n", "self.prg", "n = n + 1;\nDO self.prg ;\n");
  ASSERT_TRUE(session.finished);
  EXPECT_TRUE(session.output.ends_with(codeError + prompt + "ИСТИНА\n" + prompt + "Good bye!\n"))
      << session.output.substr(session.output.size() > 2000 ? session.output.size() - 2000 : 0);
}

TEST(ProgramConsoleLimits, BlocksNestedTooDeepAreRejectedAtCompileTime) {
  std::string program;
  for (int i = 0; i < 100000; ++i) program += "IF 1 THEN\n";
  const Session session = runConsole("DO deep.prg\n? 1+1\nQUIT\n", "deep.prg", program);
  ASSERT_TRUE(session.finished);
  EXPECT_EQ(occurrences(session.output, "слишком глубокая вложенность блоков"), 1u);
  EXPECT_EQ(occurrences(session.output, "СТАРТ"), 0u);
  EXPECT_TRUE(session.output.ends_with(codeError + prompt + "2\n" + prompt + "Good bye!\n"));
}

}  // namespace
