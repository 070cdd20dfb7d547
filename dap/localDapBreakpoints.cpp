#include "dap/localDapBreakpoints.h"

#include "dap/localDapArguments.h"
#include "dap/localDapLines.h"
#include "debug/localDebugger.h"

using namespace localDapArguments;

localDapBreakpoints::json localDapBreakpoints::describe(const localDebug::breakpoint& point,
                                                        const std::set<unsigned>* lines) {
  unsigned line = point.where.line;
  bool verified = point.verified && line != 0;
  if (!point.verified && lines != nullptr) {
    // Not compiled by the run yet: placed by the lines known beforehand.
    line = localDapLines::placeOf(*lines, point.askedLine);
    verified = line != 0;
  }
  if (line == 0) line = point.askedLine;
  shown_[point.number] = {line, verified};
  json item = {{"id", point.number}, {"verified", verified}, {"line", line}, {"source", {{"path", utf8(point.where.file)}}}};
  if (!verified) item["message"] = "no statement at or after this line";
  return item;
}

void localDapBreakpoints::forget(std::vector<int>& numbers) {
  for (const int number : numbers) {
    debugger_.deleteBreakpoint(number);
    shown_.erase(number);
  }
  numbers.clear();
}

localDapBreakpoints::json localDapBreakpoints::setInFile(const json& arguments) {
  const std::wstring file = absolutePath(wide(text(arguments.at("source"), "path")));
  std::vector<unsigned> asked;
  const auto points = arguments.find("breakpoints");
  const auto lines = arguments.find("lines");
  if (points != arguments.end() && points->is_array()) {
    for (const json& point : *points) asked.push_back(static_cast<unsigned>(number(point.at("line"), 1, 1 << 30)));
  } else if (lines != arguments.end() && lines->is_array()) {
    for (const json& line : *lines) asked.push_back(static_cast<unsigned>(number(line, 1, 1 << 30)));
  }
  std::vector<int>& numbers = byFile_[file];
  forget(numbers);
  const std::set<unsigned> statementLines = localDapLines::statementLines(file);
  json list = json::array();
  for (const unsigned line : asked) {
    const localDebug::breakpoint point = debugger_.breakAtLine(line, file);
    numbers.push_back(point.number);
    list.push_back(describe(point, &statementLines));
  }
  return {{"breakpoints", std::move(list)}};
}

localDapBreakpoints::json localDapBreakpoints::setOnProcedures(const json& arguments) {
  forget(onProcedures_);
  json list = json::array();
  for (const json& point : arguments.at("breakpoints")) {
    const localDebug::breakpoint made = debugger_.breakAtProcedure(wide(text(point, "name")));
    onProcedures_.push_back(made.number);
    // A procedure declared later in the run is found when it is entered.
    list.push_back({{"id", made.number}, {"verified", true}});
  }
  return {{"breakpoints", std::move(list)}};
}

std::vector<localDapBreakpoints::json> localDapBreakpoints::moved() {
  std::vector<json> changed;
  for (const localDebug::breakpoint& point : debugger_.breakpoints()) {
    if (!point.procedure.empty() || !point.verified) continue;
    const auto known = shown_.find(point.number);
    const unsigned line = point.where.line != 0 ? point.where.line : point.askedLine;
    const bool verified = point.where.line != 0;
    if (known != shown_.end() && known->second.line == line && known->second.verified == verified) continue;
    changed.push_back(describe(point, nullptr));
  }
  return changed;
}
