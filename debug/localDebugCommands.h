#pragma once
// The debugger's command language, as the console speaks it: one line in, the answer's
// text out, and when the command lets the program go on, how. Command names have English
// and Russian spellings, and any unique beginning of either is the command; `name =
// expression` assigns. The texts are Russian, as the console's are.
#include <optional>
#include <string>

#include "debug/localDebugger.h"

namespace localDebug {

class commands {
 public:
  explicit commands(debugger& target) : debugger_(target) {}

  // Runs one command line and appends its answer (whole lines) to out.
  std::optional<resume> execute(const std::wstring& line, std::wstring& out);

  // The text of a stop: its reason and place, and the line of source it stands on.
  std::wstring describeStop(const stop& event) const;
  // The text of the end of the run.
  static std::wstring describeEnd(bool succeeded, bool quit);

 private:
  void breakCommand(const std::wstring& argument, std::wstring& out);
  void deleteCommand(const std::wstring& argument, std::wstring& out);
  void printCommand(const std::wstring& argument, std::wstring& out);
  void whereCommand(std::wstring& out) const;
  void listCommand(const std::wstring& argument, std::wstring& out);
  void watchCommand(const std::wstring& argument, std::wstring& out);
  static void help(std::wstring& out);
  std::wstring sourceLine(const std::wstring& file, unsigned line, const std::wstring& text, bool current) const;

  debugger& debugger_;
};

}  // namespace localDebug
