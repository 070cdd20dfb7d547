#include "debug/localDebugPlaces.h"

#include <algorithm>

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
    // The instruction's own place may stand on a later line of its statement (the
    // operand of `x =` written on the next line): the statement begun here is earlier.
    // A loop's test at the end of a pass begins no statement of its own, and the last
    // one begun before it lies further down, so the earlier of the two lines is the one.
    const unsigned own = code->placeAt(instruction).line;
    const unsigned begun = code->statementPlaceAt(instruction).line;
    const unsigned line = own == 0 ? begun : begun == 0 ? own : std::min(own, begun);
    if (line != 0) return line;
  }
  return statement.place.line;
}

}  // namespace localDebugPlaces
