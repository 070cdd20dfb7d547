// The console on a terminal, driven through a pseudo-terminal as a user types: history
// recalled with Up (also in the next session), Ctrl-C at the prompt and while a line
// runs, UTF-8 round trips, Tab completion, Ctrl-D. Skipped without line editing.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "transcript_process.h"

namespace {

const std::string prompt = "localInterpretatorUTF8::console # ";
constexpr auto patience = std::chrono::seconds(15);

// One interpreter on the slave side of a pseudo-terminal, in a UTF-8 locale, with its
// history under `home`.
class Terminal {
 public:
  explicit Terminal(const std::string& home, const std::vector<std::string>& extraEnvironment = {}) {
    std::vector<std::string> environment = {"TERM=xterm", "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "HOME=" + home,
                                            "XDG_STATE_HOME=" + home + "/state"};
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    for (const char* keep : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "PATH"}) {
      if (const char* value = std::getenv(keep)) environment.push_back(std::string(keep) + "=" + value);
    }
    std::string program = std::filesystem::absolute(LOCALINTERP_BINARY).string();
    // Everything the child needs is made before fork: after it, only exec.
    std::vector<char*> argv = {program.data(), nullptr};
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 100;
    child_ = forkpty(&master_, nullptr, nullptr, &size);
    if (child_ == 0) {
      if (chdir(home.c_str()) != 0) _exit(126);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
  }

  ~Terminal() {
    if (child_ > 0 && !finished_) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  bool started() const { return child_ > 0 && master_ >= 0; }

  void type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Waits until `text` appears after what earlier waits consumed; consumes up to its end.
  bool waitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
      const std::size_t found = output_.find(text, consumed_);
      if (found != std::string::npos) {
        consumed_ = found + text.size();
        return true;
      }
      if (std::chrono::steady_clock::now() >= deadline || !readSome()) return false;
    }
  }

  // Waits for the end of the process; its exit status, or -1.
  int exitStatus() {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
      readSome();
      int status = 0;
      if (waitpid(child_, &status, WNOHANG) == child_) {
        finished_ = true;
        while (readSome()) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
    }
    return -1;
  }

  const std::string& output() const { return output_; }

 private:
  // Reads what the terminal shows within a short while; false at its end.
  bool readSome() {
    pollfd watch{master_, POLLIN, 0};
    if (poll(&watch, 1, 100) <= 0) return true;
    char chunk[4096];
    const ssize_t count = read(master_, chunk, sizeof chunk);
    if (count <= 0) return count < 0 && errno == EINTR;
    output_.append(chunk, static_cast<std::size_t>(count));
    return true;
  }

  pid_t child_ = -1;
  int master_ = -1;
  bool finished_ = false;
  std::string output_;
  std::size_t consumed_ = 0;
};

class TerminalTest : public testing::Test {
 protected:
  void SetUp() override {
#ifndef LOCALINTERP_HAVE_LIBEDIT
    GTEST_SKIP() << "built without line editing";
#endif
    ASSERT_FALSE(home_.path().empty());
  }
  transcript::TemporaryDirectory home_;
};

TEST_F(TerminalTest, UpRecallsALineAlsoInTheNextSession) {
  {
    Terminal terminal(home_.path());
    ASSERT_TRUE(terminal.started());
    ASSERT_TRUE(terminal.waitFor(prompt));
    terminal.type("? 40+2\r");
    ASSERT_TRUE(terminal.waitFor("\r\n42\r\n" + prompt)) << terminal.output();
    terminal.type("\x1b[A\r");
    ASSERT_TRUE(terminal.waitFor("\r\n42\r\n" + prompt)) << terminal.output();
    terminal.type("\x04");  // Ctrl-D on an empty line ends with a line end
    EXPECT_EQ(terminal.exitStatus(), 0) << terminal.output();
    const std::string& shown = terminal.output();
    const std::string tail = shown.substr(shown.rfind(prompt) + prompt.size());
    EXPECT_TRUE(tail == "\r\n" || tail == "^D\r\n") << shown;  // the editor may show the key
  }
  Terminal next(home_.path());
  ASSERT_TRUE(next.waitFor(prompt));
  next.type("\x1b[A\r");
  EXPECT_TRUE(next.waitFor("? 40+2\r\n42\r\n")) << next.output();
}

TEST_F(TerminalTest, CtrlCDiscardsTheTypedLineAndStopsARunningOneButKeepsVariables) {
  ASSERT_TRUE(transcript::writeBinaryFile(home_.path() + "/loop.prg", "WHILE 1 = 1 DO n = n + 1; ENDDO;\n"));
  Terminal terminal(home_.path());
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("x = 7\r");
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("x = 1 +");
  terminal.type("\x03");
  ASSERT_TRUE(terminal.waitFor(prompt)) << terminal.output();
  terminal.type("? x\r");
  EXPECT_TRUE(terminal.waitFor("\r\n7\r\n" + prompt)) << terminal.output();
  terminal.type("n = 0\r");
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("DO loop.prg\r");
  ASSERT_TRUE(terminal.waitFor("line: 2751\r\n")) << terminal.output();
  terminal.type("\x03");
  ASSERT_TRUE(terminal.waitFor(prompt)) << terminal.output();
  terminal.type("? x + 1\r");
  EXPECT_TRUE(terminal.waitFor("\r\n8\r\n" + prompt)) << terminal.output();
  terminal.type("QUIT\r");
  EXPECT_TRUE(terminal.waitFor("Good bye!\r\n"));
  EXPECT_EQ(terminal.exitStatus(), 0);
}

TEST_F(TerminalTest, Utf8TextRoundTrips) {
  Terminal terminal(home_.path());
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("? \"Привет — №5\"\r");
  EXPECT_TRUE(terminal.waitFor("\r\nПривет — №5\r\n" + prompt)) << terminal.output();
  terminal.type("имя = 'café €'\r? ИМЯ\r");
  EXPECT_TRUE(terminal.waitFor("\r\ncafé €\r\n" + prompt)) << terminal.output();
}

TEST_F(TerminalTest, TabCompletesABuiltInName) {
  Terminal terminal(home_.path());
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("? strl\t");
  terminal.type("('abcd')\r");
  EXPECT_TRUE(terminal.waitFor("\r\n4\r\n" + prompt)) << terminal.output();
  terminal.type("? СТРДЛ\t('ёж')\r");
  EXPECT_TRUE(terminal.waitFor("\r\n2\r\n" + prompt)) << terminal.output();
}

// What the editor writes in the UTF-8 locale is what DO reads back.
TEST_F(TerminalTest, ModifyCommandAndDoAgreeOnUtf8) {
  Terminal terminal(home_.path(), {"VISUAL=printf '? \"Ёж — €\";\\n' >"});
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("MODIFY COMMAND новая.prg\r");
  ASSERT_TRUE(terminal.waitFor(prompt)) << terminal.output();
  terminal.type("DO новая.prg\r");
  EXPECT_TRUE(terminal.waitFor("line: 2751\r\nЁж — €\r\n" + prompt)) << terminal.output();
}

}  // namespace

namespace {

TEST_F(TerminalTest, BlocksAreCollectedUnderAContinuationPromptAndCtrlCDropsThem) {
  Terminal terminal(home_.path());
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("total = 0\r");
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("FOR i = 1 TO 4 DO\r");
  ASSERT_TRUE(terminal.waitFor("\r\n... ")) << terminal.output();
  terminal.type("total = total + i;\r");
  ASSERT_TRUE(terminal.waitFor("\r\n... ")) << terminal.output();
  terminal.type("ENDDO\r");
  ASSERT_TRUE(terminal.waitFor("line: 2751\r\n" + prompt)) << terminal.output();
  terminal.type("? total\r");
  ASSERT_TRUE(terminal.waitFor("\r\n10\r\n" + prompt)) << terminal.output();
  // Ctrl-C while collecting drops the block and keeps the session.
  terminal.type("IF 1 = 1 THEN\r");
  ASSERT_TRUE(terminal.waitFor("\r\n... ")) << terminal.output();
  terminal.type("total = 99;\r");
  ASSERT_TRUE(terminal.waitFor("\r\n... ")) << terminal.output();
  terminal.type("\x03");
  ASSERT_TRUE(terminal.waitFor(prompt)) << terminal.output();
  terminal.type("? total\r");
  EXPECT_TRUE(terminal.waitFor("\r\n10\r\n" + prompt)) << terminal.output();
  terminal.type("QUIT\r");
  EXPECT_EQ(terminal.exitStatus(), 0);
}

TEST_F(TerminalTest, BytesThatAreNotUtf8GetTheDocumentedError) {
  Terminal terminal(home_.path());
  ASSERT_TRUE(terminal.waitFor(prompt));
  terminal.type("? 'a\xFF'\r");
  EXPECT_TRUE(terminal.waitFor("Error Строка не в кодировке UTF-8 (байт 0xFF на позиции 5), она не выполнена.\r\n" +
                               prompt))
      << terminal.output();
  // A character cut short loses only its own byte: the next one stays.
  terminal.type("? '\xD0z'\r");
  EXPECT_TRUE(terminal.waitFor("(байт 0xD0 на позиции 4)")) << terminal.output();
  terminal.type("? 'ok'\r");
  EXPECT_TRUE(terminal.waitFor("\r\nok\r\n" + prompt)) << terminal.output();
}

TEST_F(TerminalTest, TwoSessionsAtOnceKeepEachOthersHistory) {
  {
    Terminal first(home_.path());
    Terminal second(home_.path());
    ASSERT_TRUE(first.waitFor(prompt));
    ASSERT_TRUE(second.waitFor(prompt));
    first.type("? 'first'\r");
    ASSERT_TRUE(first.waitFor("\r\nfirst\r\n" + prompt)) << first.output();
    second.type("? 'second'\r");
    ASSERT_TRUE(second.waitFor("\r\nsecond\r\n" + prompt)) << second.output();
    first.type("QUIT\r");
    EXPECT_EQ(first.exitStatus(), 0);
    second.type("QUIT\r");
    EXPECT_EQ(second.exitStatus(), 0);
  }
  Terminal next(home_.path());
  ASSERT_TRUE(next.waitFor(prompt));
  next.type("\x1b[A\x1b[A\x1b[A\r");  // past QUIT, twice, to the oldest line
  EXPECT_TRUE(next.waitFor("\r\nfirst\r\n" + prompt)) << next.output();
  next.type("\x1b[A\x1b[A\x1b[A\r");
  EXPECT_TRUE(next.waitFor("\r\nsecond\r\n" + prompt)) << next.output();
}

}  // namespace
