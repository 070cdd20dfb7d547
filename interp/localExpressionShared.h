#pragma once
// Steps the scanning evaluator and the expression tree take in the same way.
#include "core/localNestingGuard.h"
#include "core/localReturnStateType.h"

namespace localExpressionShared {

// Every expression (the whole one, a bracket, an argument) holds one level of the
// expression nesting bound; past the bound this reports the trace line and the state.
// True when the expression may go on.
bool enter(const localNestingGuard& guard, localReturnStateType& state);

}  // namespace localExpressionShared
