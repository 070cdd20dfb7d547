#include "dap/localDapLines.h"

#include <memory>

#include "context/localContextUTF8.h"
#include "core/localFailurePlace.h"
#include "core/localFileReader.h"
#include "debug/localDebugPlaces.h"
#include "debug/localDebugSource.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localOperatorCompiled.h"
#include "shell/localShellCommands.h"

namespace localDapLines {

std::set<unsigned> statementLines(const std::wstring& file) {
  localReturnStateType state = localErrorTypeOK;
  std::wstring text;
  if (!localString::readFromFile(state, file, text)) return {};
  localShellCommands::skipShebangLine(text);
  localContextUTF8 scratch;
  auto root = std::make_unique<localOperatorCompiled>(&localOperatorCompiled::execute);
  localOperatorCompiled* block = root.get();
  unsigned position = 0;
  const bool compiled = localInterpretatorUTF8::textCompile(state, text, position, &scratch, block);
  localFailurePlace::reset();
  if (!compiled || state != localErrorTypeOK) return {};
  localDebugSource source(file, text);
  localDebugPlaces::learn(source, *root);
  for (unsigned i = 0; i < scratch.funcCount(); ++i) {
    if (const localOperatorCompiled* body = scratch.funcCompiledAt(i)) localDebugPlaces::learn(source, *body);
  }
  return source.statementLines;
}

unsigned placeOf(const std::set<unsigned>& lines, unsigned line) {
  const auto found = lines.lower_bound(line);
  return found == lines.end() ? 0 : *found;
}

}  // namespace localDapLines
