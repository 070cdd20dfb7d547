#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// Runs one program without a shell: given working directory, stdin from a file, stdout
// and stderr to files, killed when it outlives the time limit or when a runaway loop makes
// its stdout or stderr grow past the output limit.
namespace transcript {

struct ProcessResult {
  bool started = false;
  bool timedOut = false;
  bool outputTooLarge = false;  // killed for writing more than the output limit
  bool exited = false;  // ended through exit(); exitCode is valid
  int exitCode = -1;
  int signal = 0;  // the signal that ended it, when it did not exit
  std::string error;  // why it could not be started
};

ProcessResult runProcess(const std::string& program, const std::string& workingDirectory,
                         const std::string& stdinPath, const std::string& stdoutPath,
                         const std::string& stderrPath, std::chrono::milliseconds timeLimit,
                         std::uintmax_t outputLimit = std::uintmax_t{64} << 20);
// The same with command-line arguments after the program's name.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingDirectory, const std::string& stdinPath,
                         const std::string& stdoutPath, const std::string& stderrPath,
                         std::chrono::milliseconds timeLimit, std::uintmax_t outputLimit = std::uintmax_t{64} << 20);

// A fresh private directory under the system's temporary directory; removed with its
// content when the object goes away.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

bool writeBinaryFile(const std::string& path, const std::string& bytes);
bool readBinaryFile(const std::string& path, std::string& bytes);

}  // namespace transcript
