#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class localContextUTF8;

// What the console and program fuzz targets share: a process set up once (big stack,
// scratch directory, recorder instead of the command processor, output discarded,
// bounded work per line) and a fresh session per input.
namespace fuzzSupport {

// From LLVMFuzzerInitialize. May re-execute the process once to get a large stack.
void initialize(int* argc, char*** argv);

// Inputs that could make MODIFY COMMAND create a file outside the scratch directory
// (a name with a slash) are not run: the fuzzer may run as a privileged user.
bool mayWriteOutsideScratch(const std::uint8_t* data, std::size_t size);

// One console session. Its context is made once per process and brought back to its
// start-up state when the session ends; objects, class declarations and files in the
// scratch directory that the session left behind are gone then.
class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs one line of console bytes (CP866) as the console loop does; false once the
  // session has quit or used up its time.
  bool runLine(const std::string& bytes);

 private:
  localContextUTF8* context_;
};

// Writes a file into the scratch directory (the working directory of the run).
void writeScratchFile(const char* name, const std::uint8_t* data, std::size_t size);

// One program run on its own, for comparing runs: the scratch directory emptied, the
// program written to main.prg and run with DO in a context made for this run and dropped
// after it, the random numbers seeded as for a session.
struct ProgramRun {
  std::string printed;    // everything written to standard output (addresses masked)
  int state = 0;          // the localReturnStateType the line ended with
  bool succeeded = false;
  bool interrupted = false;  // the work or time budget ran out: where it does is no fault
  std::string variables;  // one line a variable: name, type, fields (objects by class)
};
ProgramRun runProgramAlone(const std::uint8_t* data, std::size_t size);

}  // namespace fuzzSupport
