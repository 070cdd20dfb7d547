#include "app/localCommandLine.h"

namespace localCommandLine {

namespace {

bool encodingFromName(const std::string& name, encodingChoice& choice) {
  if (name == "auto") {
    choice = encodingChoice::automatic;
  } else if (name == "cp866") {
    choice = encodingChoice::cp866;
  } else if (name == "utf8" || name == "utf-8") {
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
         "  --encoding=NAME    console encoding: cp866, utf8 or auto (the default: utf8\n"
         "                     when standard input and output are terminals and the\n"
         "                     locale's character set is UTF-8, cp866 otherwise)\n"
         "  -h, --help         show this help and exit\n"
         "  -V, --version      show the version and exit\n"
         "\n"
         "Exit status: 0 when FILE or every line of TEXT succeeded (and after the\n"
         "console), 1 when one failed, 2 for a usage error or an unreadable FILE.\n";
}

}  // namespace localCommandLine
