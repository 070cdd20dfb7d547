#pragma once
// The trace lines node execution prints, shared by the scanning way and the program engine.
#include <string>

#include "core/localReturnStateType.h"

class localOperatorCompiled;

namespace localExecuteTraces {

// trace(lead, number) naming "execute".
void line(const std::wstring& lead, unsigned number);
// The three lines of a failing command, expression or assignment node, numbered from first.
void nodeFailure(const localReturnStateType& state, const localOperatorCompiled& node, unsigned first);
// The two lines a block prints when one of its statements fails.
void blockFailure(const localReturnStateType& state);

}  // namespace localExecuteTraces
