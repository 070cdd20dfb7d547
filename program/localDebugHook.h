#pragma once
// What a debugger learns from the engines while a program runs. The engines know of no
// debugger: they ask one pointer whether a listener is attached, and only then note, at
// every statement, which statement each level of calls runs, and tell the listener when
// it listens (it steps, has breakpoints or watches, or Ctrl-C came). Without a listener
// the dispatch loop runs exactly as before (see localCodeRun.cpp).
#include <atomic>
#include <cstddef>
#include <string>

#include "core/localNestingGuard.h"
#include "core/localReturnStateType.h"
#include "program/localOperatorCompiled.h"

class localCode;

class localDebugListener {
 public:
  virtual ~localDebugListener() = default;
  // A program file is about to be compiled and run (DO, or the debugger's own run).
  virtual void programOpens(const std::wstring& file, const std::wstring& text) = 0;
  // Its text compiled into this root; every function it declared is registered by now.
  virtual void programCompiled(const localOperatorCompiled& root) = 0;
  // A statement is about to start (when the listener listens): the node it was compiled
  // from, and for the program engine the code and the instruction where it starts (null
  // and 0 for the scanner). False ends the program: the state is set, and the failure
  // travels outwards as any.
  virtual bool statementStarts(localReturnStateType& state, const localOperatorCompiled& statement,
                               const localCode* code, std::size_t instruction) = 0;
};

namespace localDebugHook {
// The attached listener, or null. The debugger sets it for the run it debugs.
extern localDebugListener* listener;
[[gnu::always_inline]] inline bool attached() { return listener != nullptr; }
// While a listener is attached: the statement each depth of calls (localNestingGuard)
// runs now, with room for the deepest; whether the listener hears of every statement;
// and Ctrl-C, which makes it hear of the next one.
extern const localOperatorCompiled** notes;
extern std::atomic<bool> everyStatement;
extern std::atomic<bool> interrupted;
// The lines (of any file) that hold a breakpoint: a statement on one of them is told.
extern const unsigned char* breakLines;
extern std::size_t breakLineCount;

// A statement starts while a listener is attached: noted; true when the listener is to
// hear of it (then told through statementStarts).
[[gnu::always_inline]] inline bool noteStatement(const localOperatorCompiled& statement) {
  notes[localNestingGuard::depth(localNestingKind::call)] = &statement;
  const std::size_t line = statement.place.line;
  return everyStatement.load(std::memory_order_relaxed) || interrupted.load(std::memory_order_relaxed) ||
         (line < breakLineCount && breakLines[line] != 0);
}
}  // namespace localDebugHook
