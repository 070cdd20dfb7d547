#include "lsp/localLspCheck.h"

#include <iostream>
#include <memory>

#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localKeepAlive.h"
#include "interp/localInterpretatorUTF8.h"
#include "lsp/localLspOutline.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

namespace localLspCheck {

namespace {

// Standard output and the diagnostics stream say nothing while a text is compiled: the
// compiler's trace lines must never reach an editor's protocol stream.
class silence {
 public:
  silence() : output_(std::cout.rdbuf(nullptr)), diagnostics_(&localDiagnostics()) { localSetDiagnostics(&sink_); }
  ~silence() {
    std::cout.clear();
    std::cout.rdbuf(output_);
    localSetDiagnostics(diagnostics_);
  }
  silence(const silence&) = delete;
  silence& operator=(const silence&) = delete;

 private:
  std::streambuf* output_;
  std::ostream* diagnostics_;
  std::ostream sink_{nullptr};
};

// The text as a file run from the command line is compiled: a "#!" first line is no
// statement, and a carriage return before a line feed is dropped. Both become blanks
// here, so that every offset stays where the editor has it.
std::wstring compilable(const std::wstring& text) {
  std::wstring program = text;
  if (program.compare(0, 2, L"#!") == 0) {
    for (std::size_t i = 0; i < program.size() && program[i] != L'\n'; ++i) program[i] = L' ';
  }
  for (std::size_t i = 0; i + 1 < program.size(); ++i) {
    if (program[i] == L'\r' && program[i + 1] == L'\n') program[i] = L' ';
  }
  return program;
}

// A problem's extent: the word at the offset, else the one character there (none at the end).
problem at(const std::wstring& text, std::size_t offset) {
  problem found;
  const localLspOutline::span word = localLspOutline::wordAt(text, offset);
  found.start = offset;
  found.end = word.start == offset && word.end > offset ? word.end : std::min(offset + 1, text.size());
  if (found.end > found.start && text[found.start] == L'\n') found.end = found.start;
  return found;
}

}  // namespace

std::vector<problem> check(const std::wstring& text) {
  std::vector<problem> found;
  const std::wstring program = compilable(text);
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  bool compiled = false;
  const std::size_t kept = localKeepAliveCount();
  {
    silence quiet;
    // A context of its own: the functions the text declares are registered there only.
    localContextUTF8 context;
    auto root = std::make_unique<localOperatorCompiled>(&localOperatorCompiled::execute);
    localOperatorCompiled* block = root.get();
    compiled = localInterpretatorUTF8::textCompile(state, program, position, &context, block);
  }
  // What the context kept alive (its class declarations) went with it.
  localKeepAliveReleaseAfter(kept);
  localFailurePlace::reset();
  if (compiled && state == localErrorTypeOK) return found;
  // A closing keyword met at the top level leaves its signal, as when the program runs.
  if (state == localErrorTypeOK) state = localErrorTypeSYNTAX;
  problem error = at(program, localFailurePlace::compilePosition(program, position, state));
  error.message = localString::returnStateAsString(state);
  found.push_back(std::move(error));
  return found;
}

}  // namespace localLspCheck
