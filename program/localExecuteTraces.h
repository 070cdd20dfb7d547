#pragma once
// The trace lines node execution prints, shared by the scanning way and the program engine.
#include <string>

#include "core/localReturnStateType.h"

class localOperatorCompiled;

namespace localExecuteTraces {

// The lines a NONE and a RENURN node print when they run.
void noneNode();
void returnNode();
// The place where node failed, for the closing line of a run (localFailurePlace): the part
// of its text the scanner failed at when it left a note in its text (scanned: the copy of
// the text it was handed, when not the node's own), otherwise the node's own place.
void failedIn(const localOperatorCompiled& node, const std::wstring* scanned);
// The three lines of a failing command, expression or assignment node, numbered from
// first; the node's place is noted first.
void nodeFailure(const localReturnStateType& state, const localOperatorCompiled& node, unsigned first,
                 const std::wstring* scanned = nullptr);
// The line of a failing PRINT, IF condition or WHILE condition (number 446, 378 or 404),
// after noting the node's place.
void statementLine(const localOperatorCompiled& node, unsigned number);
// The two lines a block prints when one of its statements fails.
void blockFailure(const localReturnStateType& state);

}  // namespace localExecuteTraces
