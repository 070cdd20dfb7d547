#pragma once
// Where a statement stands in its program text, for the debugger: the one place that
// knows how the engines' notes of a statement turn into a line.
#include <cstddef>

class localCode;
class localDebugSource;
class localOperatorCompiled;

namespace localDebugPlaces {

// Learns the lines of a compiled block (a program's root or a function body) that hold
// a statement: where a breakpoint may stand.
void learn(localDebugSource& source, const localOperatorCompiled& block);

// The line (from 1) of the statement that starts at instruction of code (the program
// engine), or of the statement node (the scanner, code null); 0 when its line is not
// known, and the debugger then does not stop there.
unsigned statementLine(const localOperatorCompiled& statement, const localCode* code, std::size_t instruction);

}  // namespace localDebugPlaces
