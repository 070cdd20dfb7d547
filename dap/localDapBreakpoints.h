#pragma once
// The editor's breakpoints on the debugger core: each setBreakpoints request replaces the
// breakpoints of its file, and each setFunctionBreakpoints those on procedures. A line's
// breakpoint is placed before the program runs (by the lines of the file that hold a
// statement), and once the run has compiled the file, wherever the debugger puts it; the
// editor is told of each that stands elsewhere than it was told.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace localDebug {
class debugger;
struct breakpoint;
}  // namespace localDebug

class localDapBreakpoints {
 public:
  using json = nlohmann::json;
  explicit localDapBreakpoints(localDebug::debugger& debugger) : debugger_(debugger) {}

  // The response bodies of the two requests; arguments that cannot be used throw.
  json setInFile(const json& arguments);
  json setOnProcedures(const json& arguments);
  // The breakpoints that now stand where the editor was not told, as it shows them.
  std::vector<json> moved();

 private:
  struct shown {
    unsigned line = 0;
    bool verified = false;
  };
  json describe(const localDebug::breakpoint& point, const std::set<unsigned>* lines);
  void forget(std::vector<int>& numbers);

  localDebug::debugger& debugger_;
  std::map<std::wstring, std::vector<int>> byFile_;
  std::vector<int> onProcedures_;
  std::map<int, shown> shown_;
};
