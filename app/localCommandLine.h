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
  bool check = false;        // --check: compile FILE only
  bool dumpCode = false;     // --dump-code: compile FILE and list its code
  bool lsp = false;          // --lsp: a language server on standard input and output
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

}  // namespace localCommandLine
