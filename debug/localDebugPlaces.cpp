#include "debug/localDebugPlaces.h"

#include "debug/localDebugSource.h"
#include "program/localCode.h"
#include "program/localOperatorCompiled.h"

namespace localDebugPlaces {

void learn(localDebugSource& source, const localOperatorCompiled& block) {
  for (const localOperatorCompiled& node : block.children) {
    // A block stands for no statement of its own, but an IF's branch block holds its
    // condition.
    const bool statement = node.kind != localCompiledOperatorTypeBLOCK || !node.text.empty();
    if (statement && node.place.line != 0) source.statementLines.insert(node.place.line);
    learn(source, node);
  }
}

unsigned statementLine(const localOperatorCompiled& statement, const localCode* code, std::size_t instruction) {
  if (code != nullptr && instruction < code->places.size()) {
    const localSourcePlace& place = code->placeAt(instruction);
    if (place.line != 0) return place.line;
  }
  return statement.place.line;
}

}  // namespace localDebugPlaces
