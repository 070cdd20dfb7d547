#include "lsp/localLspCheck.h"

#include <algorithm>

#include "check/localCheck.h"
#include "core/localFailurePlace.h"
#include "core/localKeepAlive.h"

namespace localLspCheck {

namespace {

// The text as a file holds it for the checker: a carriage return before a line feed
// becomes a blank, so that every offset stays where the editor has it.
std::wstring asFile(const std::wstring& text) {
  std::wstring program = text;
  for (std::size_t i = 0; i + 1 < program.size(); ++i) {
    if (program[i] == L'\r' && program[i + 1] == L'\n') program[i] = L' ';
  }
  return program;
}

}  // namespace

std::vector<problem> check(const std::wstring& text) {
  const std::wstring program = asFile(text);
  const std::size_t kept = localKeepAliveCount();
  const std::vector<localCheck::diagnostic> found = localCheck::checkProgram(program);
  // The checker's context is gone, and with it everything it kept alive (its classes).
  localKeepAliveReleaseAfter(kept);
  localFailurePlace::reset();

  std::vector<std::size_t> lineStarts{0};
  for (std::size_t i = 0; i < program.size(); ++i) {
    if (program[i] == L'\n') lineStarts.push_back(i + 1);
  }
  std::vector<problem> problems;
  for (const localCheck::diagnostic& d : found) {
    if (d.line == 0 || d.line > lineStarts.size()) continue;
    const std::size_t lineStart = lineStarts[d.line - 1];
    const std::size_t lineEnd = d.line < lineStarts.size() ? lineStarts[d.line] - 1 : program.size();
    problem p;
    p.start = std::min(lineStart + (d.column > 0 ? d.column - 1 : 0), lineEnd);
    p.end = std::clamp(lineStart + (d.endColumn > 0 ? d.endColumn - 1 : 0), p.start, lineEnd);
    p.level = d.level == localCheck::severity::error ? severity::error : severity::warning;
    p.message = d.message;
    if (d.level == localCheck::severity::warning) p.code.assign(d.name.begin(), d.name.end());
    problems.push_back(std::move(p));
  }
  return problems;
}

}  // namespace localLspCheck
