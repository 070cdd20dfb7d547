#include "app/localCommandLine.h"

namespace localCommandLine {

namespace {

// The usual spellings of the two character sets, in any case: utf8, UTF-8, cp866, IBM866.
bool encodingFromName(const std::string& name, encodingChoice& choice) {
  std::string lower;
  for (const char c : name) lower.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  if (lower == "auto") {
    choice = encodingChoice::automatic;
  } else if (lower == "cp866" || lower == "ibm866" || lower == "866") {
    choice = encodingChoice::cp866;
  } else if (lower == "utf8" || lower == "utf-8") {
    choice = encodingChoice::utf8;
  } else {
    return false;
  }
  return true;
}

}  // namespace

options parse(const std::vector<std::string>& arguments) {
  options result;
  const auto fail = [&result](const std::string& message) {
    if (result.error.empty()) result.error = message;
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
    if (!isOption) {
      if (result.hasFile) {
        fail("only one FILE may be given: " + argument);
      } else {
        result.hasFile = true;
        result.file = argument;
      }
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      result.help = true;
    } else if (argument == "-V" || argument == "--version") {
      result.version = true;
    } else if (argument == "--check") {
      result.check = true;
    } else if (argument == "--strict") {
      result.check = true;
      result.strict = true;
    } else if (argument == "--trace") {
      result.trace = true;
    } else if (argument == "--dump-code") {
      result.dumpCode = true;
    } else if (argument == "--debug") {
      result.debug = true;
    } else if (argument == "--lsp") {
      result.lsp = true;
    } else if (argument == "--dap") {
      result.dap = true;
    } else if (argument == "-i") {
      result.interactive = true;
    } else if (argument == "-c") {
      if (i + 1 >= arguments.size()) {
        fail("option -c needs TEXT");
      } else {
        result.commands.push_back(arguments[++i]);
      }
    } else if (argument == "--encoding" || argument.rfind("--encoding=", 0) == 0) {
      std::string name;
      if (argument == "--encoding") {
        if (i + 1 >= arguments.size()) {
          fail("option --encoding needs a value");
          continue;
        }
        name = arguments[++i];
      } else {
        name = argument.substr(std::string("--encoding=").size());
      }
      if (!encodingFromName(name, result.encoding))
        fail("unknown encoding '" + name + "' (cp866, utf8 or auto)");
    } else {
      fail("unknown option " + argument);
    }
  }
  if (result.hasFile && !result.commands.empty()) fail("give either FILE or -c TEXT, not both");
  if (result.check && (result.hasFile != result.commands.empty() || result.interactive))
    fail("--check needs FILE or -c TEXT, and no -i");
  if (result.dumpCode && (!result.hasFile || result.interactive || result.check))
    fail("--dump-code needs FILE and no -c, -i or --check");
  if (result.debug && (!result.hasFile || result.check || result.dumpCode))
    fail("--debug needs FILE and no -c, --check or --dump-code");
  if (result.lsp && (result.hasFile || result.interactive || result.check || result.dumpCode || result.trace ||
                     result.debug || !result.commands.empty()))
    fail("--lsp takes no FILE and no other option");
  if (result.dap && (result.lsp || result.debug || result.hasFile || result.interactive || result.check ||
                     result.dumpCode || !result.commands.empty()))
    fail("--dap takes no FILE and no other option");
  return result;
}

std::string usage(const std::string& version) {
  return "Usage: localinterp [options] [FILE]\n"
         "\n"
         "localinterp " +
         version +
         ": an interactive interpreter of a small scripting language.\n"
         "Without FILE or -c it starts the console; QUIT or end of input leaves it.\n"
         "\n"
         "  FILE               run the program FILE as DO FILE would, then exit\n"
         "  -c TEXT            run TEXT as console lines (one per line of TEXT), then exit\n"
         "  -i                 enter the console after FILE or -c\n"
         "  --check FILE       compile FILE without running it; report a failure as\n"
         "                     FILE:LINE:COLUMN: message and each warning as\n"
         "                     FILE:LINE:COLUMN: warning: message [name] on stderr\n"
         "                     (exit status 1 on a failure, 0 on warnings alone);\n"
         "                     -c TEXT instead of FILE checks console lines\n"
         "  --strict           --check, and exit status 1 on a warning too\n"
         "  --dump-code FILE   compile FILE and list the instructions of the program\n"
         "                     and of its functions, as --check reports a failure\n"
         "  --trace            FILE and -c: write the system's trace lines to stderr\n"
         "  --debug FILE       run FILE under the debugger: it stops before the first\n"
         "                     statement and reads debugger commands (help lists them)\n"
         "  --lsp              serve editors as a language server on standard input\n"
         "                     and output\n"
         "  --dap              serve editors as a debug adapter on standard input and\n"
         "                     output (the program comes with the launch request)\n"
         "  --encoding=NAME    cp866, utf8 or auto (the default). auto: FILE and -c\n"
         "                     follow the locale's character set (utf8 in a UTF-8\n"
         "                     locale, and without a locale or in C/POSIX); the console\n"
         "                     alone is utf8 when standard input and output are\n"
         "                     terminals and the locale is UTF-8, cp866 otherwise\n"
         "  -h, --help         show this help and exit\n"
         "  -V, --version      show the version and exit\n"
         "\n"
         "Output of FILE and -c goes to stdout; a failure goes to stderr as\n"
         "FILE:LINE:COLUMN: message, the source line and a caret under the column.\n"
         "\n"
         "Exit status: 0 when FILE or every line of TEXT succeeded, and after the console\n"
         "on a terminal; 1 when one failed (also a line of a console fed by a pipe);\n"
         "2 for a usage error or an unreadable FILE or one that is no text;\n"
         "130 when Ctrl-C stopped FILE or -c.\n";
}

}  // namespace localCommandLine
