#include <algorithm>

#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localCompileSteps.h"
#include "text/localString.h"

namespace localCompile {

void trace(const std::wstring& lead, unsigned line) { localTrace(lead, "textCompile", line); }

std::wstring sourceBetween(const std::wstring& text, unsigned from, unsigned to) {
  const std::size_t begin = std::min<std::size_t>(from, text.size());
  const std::size_t end = std::min<std::size_t>(to, text.size());
  return end > begin ? text.substr(begin, end - begin) : std::wstring();
}

sourcePlace placeOf(const std::wstring& text, unsigned position) {
  sourcePlace place{};
  place.line = localString::getLineNumberByPos(text, position, place.lineStart);
  place.column = position >= place.lineStart ? position - place.lineStart : 0;
  return place;
}

localOperatorCompiled makeNode(const localOperatorCompiled& block, localCompiledOperatorType kind,
                               unsigned position, const std::wstring& name, const std::wstring& text,
                               unsigned statementStart, unsigned textStart) {
  localOperatorCompiled node(block.executor);
  node.kind = kind;
  node.position = position;
  node.name = name;
  node.text = text;
  node.source = currentSource();
  node.place = sourcePlaceOf(statementStart);
  node.spans.push_back({0, static_cast<unsigned>(text.size()), sourcePlaceOf(textStart)});
  if (kind != localCompiledOperatorTypeCOMMAND) node.parseText();
  return node;
}

bool consumeSemicolon(localReturnStateType& state, const std::wstring& text, unsigned& position) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (charAt(text, position) != L';') {
    state = localErrorTypeSYNTAXexpectedSemicolon;
    return false;
  }
  ++position;
  return true;
}

bool checkExpression(localReturnStateType& state, const std::wstring& text, unsigned& position,
                     localContextUTF8* context) {
  localValueDescription scratch;
  return localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state, text, position, scratch, context,
                                                                    true);
}

bool statementEnd(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  unsigned statementStart) {
  const unsigned stopped = position;
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (charAt(text, position) == L';') {
    ++position;
    return true;
  }
  position = stopped;
  const sourcePlace place = placeOf(text, stopped);
  trace(L"finished at line: [" + std::to_wstring(place.line) + L"] pos in line [" + std::to_wstring(place.column) +
            L"] func: ",
        2684);
  const std::wstring faulty = localString::trimR(localString::trimL(sourceBetween(text, statementStart, stopped)));
  trace(L"текст сошибкой: [" + faulty + L"] func: ", 2686);
  state = localErrorTypeSYNTAXexpectedSemicolon;
  return false;
}

bool compileNestedBlock(localReturnStateType& state, const std::wstring& text, unsigned& position,
                        localContextUTF8* context, localOperatorCompiled::executorType executor,
                        std::unique_ptr<localOperatorCompiled>& body) {
  body = std::make_unique<localOperatorCompiled>(executor);
  localOperatorCompiled* target = body.get();
  return localInterpretatorUTF8::textCompile(state, text, position, context, target);
}

bool reportStatementFailure(localReturnStateType& state, const std::wstring& text, unsigned position,
                            unsigned lineTrace, unsigned messageTrace) {
  const sourcePlace place = placeOf(text, position);
  trace(localString::trimL(localString::getLineFromPos(text, place.lineStart)) + L"  func: ", lineTrace);
  trace(localString::returnStateAsString(state) + L"  func: ", messageTrace);
  // A failed scan must never read as success, or an enclosing construct would go on
  // compiling after a half-read statement.
  if (state == localErrorTypeOK) state = localErrorTypeSYNTAX;
  return false;
}

}  // namespace localCompile
