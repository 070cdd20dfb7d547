#pragma once
#include <string>
#include <vector>

// The command line: localinterp [options] [FILE]. Parsing is kept apart from acting on
// it so that every form can be tested without starting a process.
namespace localCommandLine {

enum class encodingChoice { automatic, cp866, utf8 };

struct options {
  bool help = false;
  bool version = false;
  bool interactive = false;  // -i: the console follows FILE or -c
  bool check = false;        // --check: compile FILE (or -c TEXT) only and report warnings
  bool strict = false;       // --strict: --check, and a warning fails it too
  bool dumpCode = false;     // --dump-code: compile FILE and list its code
  bool trace = false;        // --trace: FILE and -c write the system's trace lines to stderr
  bool debug = false;        // --debug: run FILE under the debugger
  bool lsp = false;          // --lsp: a language server on standard input and output
  bool dap = false;          // --dap: a debug adapter on standard input and output
  encodingChoice encoding = encodingChoice::automatic;
  std::vector<std::string> commands;  // -c TEXT, in order
  bool hasFile = false;
  std::string file;
  std::string error;  // set when the command line is unusable (exit status 2)
};

options parse(const std::vector<std::string>& arguments);

// The usage text, with the program's version.
std::string usage(const std::string& version);

// Exit statuses of the process.
constexpr int exitSuccess = 0;
constexpr int exitFailure = 1;
constexpr int exitUsage = 2;
constexpr int exitInterrupted = 130;  // Ctrl-C stopped FILE or -c

}  // namespace localCommandLine
