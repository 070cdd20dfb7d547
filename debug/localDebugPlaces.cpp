#include "debug/localDebugPlaces.h"

#include <string>

#include "debug/localDebugSource.h"
#include "program/localOperatorCompiled.h"

namespace localDebugPlaces {

namespace {

// Whether the node's own position tells where its statement starts.
bool keepsPosition(const localOperatorCompiled& node) {
  switch (node.kind) {
    case localCompiledOperatorTypeCOMMAND:
    case localCompiledOperatorTypeWHILE:
      return node.position != 0;
    case localCompiledOperatorTypeEXPRESSION:
      return !node.name.empty() || node.position != 0;
    default:
      return true;
  }
}

// The text to look for of a node without a position: a loop's condition without the
// brackets the compiler put round it, any other node's text.
std::wstring searchedText(const localOperatorCompiled& node) {
  const std::wstring& text = node.text;
  if (node.kind == localCompiledOperatorTypeWHILE && text.size() >= 2 && text.front() == L'(' && text.back() == L')')
    return text.substr(1, text.size() - 2);
  return text;
}

void learnStatement(localDebugSource& source, const localOperatorCompiled& node, unsigned& cursor);

void learnBlock(localDebugSource& source, const localOperatorCompiled& block, unsigned& cursor) {
  for (const localOperatorCompiled& child : block.children) learnStatement(source, child, cursor);
}

void learnStatement(localDebugSource& source, const localOperatorCompiled& node, unsigned& cursor) {
  unsigned position = node.position;
  bool known = keepsPosition(node);
  if (!known) {
    const std::wstring wanted = searchedText(node);
    const std::size_t found = wanted.empty() ? std::wstring::npos : source.text().find(wanted, cursor);
    known = found != std::wstring::npos;
    position = static_cast<unsigned>(found);
  }
  if (known) {
    source.statementPositions[&node] = position;
    if (position > cursor) cursor = position;
  }
  // An IF's branches (blocks with their condition), a loop's body and a FOR's step.
  for (const localOperatorCompiled& inner : node.children) {
    if (inner.kind != localCompiledOperatorTypeBLOCK) {
      learnStatement(source, inner, cursor);
      continue;
    }
    if (!inner.text.empty()) source.statementPositions[&inner] = inner.position;
    learnBlock(source, inner, cursor);
  }
}

}  // namespace

void learn(localDebugSource& source, const localOperatorCompiled& block) {
  unsigned cursor = 0;
  learnBlock(source, block, cursor);
}

unsigned statementLine(const localDebugSource& source, const localOperatorCompiled& statement, const localCode*,
                       std::size_t) {
  const auto found = source.statementPositions.find(&statement);
  return found == source.statementPositions.end() ? 0 : source.lineOf(found->second);
}

}  // namespace localDebugPlaces
