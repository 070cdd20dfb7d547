#pragma once
// The trace lines node execution prints, shared by the scanning way and the program engine.
#include <string>

#include "core/localReturnStateType.h"

class localOperatorCompiled;

namespace localExecuteTraces {

// The lines a NONE and a RENURN node print when they run.
void noneNode();
void returnNode();
// The three lines of a failing command, expression or assignment node, numbered from first.
// The failing statements also leave their place for the closing line of a run
// (localFailurePlace).
void nodeFailure(const localReturnStateType& state, const localOperatorCompiled& node, unsigned first);
// The line of a failing PRINT, IF condition or WHILE condition (number 446, 378 or 404).
void statementLine(const localOperatorCompiled& node, unsigned number);
// The two lines a block prints when one of its statements fails.
void blockFailure(const localReturnStateType& state);

}  // namespace localExecuteTraces
