#pragma once
// What a debugger learns from the engines while a program runs. The engines know of no
// debugger: they ask one pointer whether a listener is attached, and only then tell it
// where statements start. Without a listener the dispatch loop runs exactly as before
// (see localCodeRun.cpp). Which procedure runs, the listener tells from the depth of
// calls (localNestingGuard) and the statement it is told of.
#include <cstddef>
#include <string>

#include "core/localReturnStateType.h"

class localOperatorCompiled;
class localCode;

class localDebugListener {
 public:
  virtual ~localDebugListener() = default;
  // A program file is about to be compiled and run (DO, or the debugger's own run).
  virtual void programOpens(const std::wstring& file, const std::wstring& text) = 0;
  // Its text compiled into this root; every function it declared is registered by now.
  virtual void programCompiled(const localOperatorCompiled& root) = 0;
  // A statement is about to start: the node it was compiled from, and for the program
  // engine the code and the instruction where it starts (null and 0 for the scanner).
  // False ends the program: the state is set, and the failure travels outwards as any.
  virtual bool statementStarts(localReturnStateType& state, const localOperatorCompiled& statement,
                               const localCode* code, std::size_t instruction) = 0;
};

namespace localDebugHook {
// The attached listener, or null. The debugger sets it for the run it debugs.
extern localDebugListener* listener;
[[gnu::always_inline]] inline bool attached() { return listener != nullptr; }

}  // namespace localDebugHook
