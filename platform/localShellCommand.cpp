#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "platform/localSystemParts.h"

extern char** environ;

namespace localPlatform {

namespace {

// A wait status as an exit status (128 + signal when the child was killed).
int exitStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Waits for the child; returns its exit status.
int waitForChild(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return exitStatus(status);
}

// Copies what is available on fd to std::cout; false at end of data or on error.
bool copyAvailable(int fd) {
  char chunk[4096];
  for (;;) {
    const ssize_t count = read(fd, chunk, sizeof chunk);
    if (count > 0) {
      std::cout.write(chunk, count);
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    return count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
}

// Relays the child's output until it exits. The pipe is not read to its end after
// that: a process the command left running in the background may keep it open.
int relayOutput(pid_t child, int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  for (;;) {
    pollfd watch{fd, POLLIN, 0};
    const int ready = poll(&watch, 1, 100);
    if (ready > 0 && !copyAvailable(fd)) break;  // end of data: every writer is gone
    int status = 0;
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) {
      copyAvailable(fd);
      close(fd);
      return exitStatus(status);
    }
    if (done < 0 && errno != EINTR) break;
  }
  close(fd);
  return waitForChild(child);
}

// While a command shares the terminal, Ctrl-C and Ctrl-\ are meant for it: the
// interpreter ignores them until the command has ended.
class terminalSignalsIgnored {
 public:
  terminalSignalsIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGINT, &ignore, &savedInterrupt_);
    sigaction(SIGQUIT, &ignore, &savedQuit_);
  }
  ~terminalSignalsIgnored() {
    sigaction(SIGINT, &savedInterrupt_, nullptr);
    sigaction(SIGQUIT, &savedQuit_, nullptr);
  }
  terminalSignalsIgnored(const terminalSignalsIgnored&) = delete;
  terminalSignalsIgnored& operator=(const terminalSignalsIgnored&) = delete;

 private:
  struct sigaction savedInterrupt_ {};
  struct sigaction savedQuit_ {};
};

}  // namespace

int runShellCommand(const std::string& script, const std::vector<std::string>& arguments, bool terminal) {
  std::cout.flush();
  std::vector<std::string> words = {"sh", "-c", script, "sh"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int pipeEnds[2] = {-1, -1};
  if (!terminal) {
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
      posix_spawn_file_actions_destroy(&actions);
      return -1;
    }
    // Never let the command read the interpreter's own input.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // Its output joins the console's; its complaints go to our error stream, as ours do.
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  }
  // The command gets the default handling of the terminal signals back.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t terminalSignals;
  sigemptyset(&terminalSignals);
  sigaddset(&terminalSignals, SIGINT);
  sigaddset(&terminalSignals, SIGQUIT);
  posix_spawnattr_setsigdefault(&attributes, &terminalSignals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

  pid_t child = 0;
  const int failed = posix_spawn(&child, "/bin/sh", &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (!terminal) close(pipeEnds[1]);
  if (failed != 0) {
    if (!terminal) close(pipeEnds[0]);
    return -1;
  }
  int status = -1;
  if (terminal) {
    terminalSignalsIgnored ignored;
    status = waitForChild(child);
  } else {
    status = relayOutput(child, pipeEnds[0]);
  }
  std::cout.flush();
  return status;
}

}  // namespace localPlatform
