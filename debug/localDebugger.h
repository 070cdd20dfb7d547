#pragma once
// The debugger core: it runs a program file with the engines' debugger hook attached and
// decides where the program stops. It knows no console: whoever drives it (the console's
// debugger, or any other front-end) gives commands by calling its methods, is told of
// every stop through driver::stopped (a reason and FILE:LINE) and answers with how the
// program goes on, is told of the end through driver::ended, and reads the stack, the
// variables and the source as data.
//
// Everything runs on the program's thread: a stop is a call of the driver from inside
// the running program, which waits until the driver returns; a front-end that reads its
// commands elsewhere answers from there (pause() alone may be called from another
// thread). Breakpoints may be set before run(): a file not compiled yet keeps them until
// it is. What the program prints goes to standard output as always; a front-end that
// wants it as events puts its own buffer on std::cout.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"
#include "debug/localDebugSource.h"
#include "program/localDebugHook.h"

class localContextUTF8;

namespace localDebug {

// How the program goes on from a stop.
enum class resume {
  run,     // to the next breakpoint, watched change or Ctrl-C
  step,    // to the next statement, into procedures
  next,    // to the next statement of this procedure or of its callers
  finish,  // to the next statement after this procedure has returned
  quit,    // end the program
};

enum class reason { entry, step, breakpoint, procedure, watch, interrupt };

struct place {
  std::wstring file;
  unsigned line = 0;  // from 1
};

// A watched variable's change.
struct change {
  std::wstring name;
  std::wstring before;  // the value's text, or empty when the variable did not exist
  std::wstring after;
  bool existedBefore = false;
  bool existsAfter = false;
};

struct stop {
  reason why = reason::step;
  place where;
  std::wstring sourceLine;
  int breakpoint = 0;  // reason::breakpoint and reason::procedure
  std::wstring procedure;
  std::vector<change> changes;  // reason::watch, and any stop that came with changes
};

struct breakpoint {
  int number = 0;
  std::wstring procedure;  // a procedure's breakpoint: its name (upper case), else empty
  place where;             // a line's breakpoint: where it stands
  unsigned askedLine = 0;  // the line asked for (moved to where.line when it had no statement)
  bool verified = false;   // the line is known to hold a statement (its file is compiled)
};

// One running procedure, the innermost first; the program's root is named by its file.
struct frame {
  std::wstring procedure;
  bool program = false;
  place where;
};

struct variable {
  std::wstring name;
  std::int32_t kind = 0;  // localValueDescription's type
  std::wstring value;
};

// The front-end's part: told of each stop (it may call the debugger's methods before it
// answers) and of the end of the run.
class driver {
 public:
  virtual ~driver() = default;
  virtual resume stopped(const stop& event) = 0;
  virtual void ended(bool succeeded, localReturnStateType state) = 0;
};

class debugger final : public localDebugListener {
 public:
  debugger(localContextUTF8& context, driver& driver);
  ~debugger() override;
  debugger(const debugger&) = delete;
  debugger& operator=(const debugger&) = delete;

  // Runs the program file as DO runs it (commandLine: its "#!" line is skipped), with
  // the debugger attached, stopping before its first statement when stopOnEntry; tells
  // the driver of the end. The program's result, as DO gives it; a quit ends it quietly
  // and counts as success.
  bool run(localReturnStateType& state, const std::wstring& file, bool stopOnEntry, bool commandLine = false);

  // Breakpoints. A line with no statement gets the next line that has one; a file not
  // compiled yet keeps the line as asked until it is. file empty: the file of the
  // current stop (or the program's).
  breakpoint breakAtLine(unsigned line, const std::wstring& file = std::wstring());
  breakpoint breakAtProcedure(const std::wstring& name);
  const std::vector<breakpoint>& breakpoints() const { return breakpoints_; }
  bool deleteBreakpoint(int number);
  void deleteBreakpoints();
  // Whether a line's breakpoint found no statement at or after its line.
  static bool lost(const breakpoint& point) { return point.procedure.empty() && point.verified && point.where.line == 0; }

  // Watches: stop when the variable's value changes. True when it was not watched yet.
  bool watch(const std::wstring& name);
  bool unwatch(const std::wstring& name);
  std::vector<variable> watched() const;

  // Stops the running program at its next statement, as Ctrl-C does; safe from another
  // thread (a front-end that reads its commands while the program runs).
  void pause() {
    pauses_.fetch_add(1);
    localDebugHook::interrupted.store(true);
  }

  // While stopped.
  std::vector<frame> stack() const;
  std::vector<variable> variables() const;
  // A variable's value (its object, for a front-end that opens tables); false when none.
  bool value(const std::wstring& name, localValueDescription& result) const { return readVariable(name, result); }
  // Evaluates an expression by the evaluator in the program's context; the whole text
  // must be one expression.
  bool evaluate(localReturnStateType& state, const std::wstring& expression, localValueDescription& value);
  // Runs `name = expression` as the console runs it.
  bool assign(localReturnStateType& state, const std::wstring& statement);
  // Where the program stands: the innermost frame's place (empty before the run).
  place current() const;
  // The lines from..to (from 1, clamped) of a file the debugger has seen.
  std::vector<std::pair<unsigned, std::wstring>> sourceLines(const std::wstring& file, unsigned from,
                                                             unsigned to) const;
  const std::wstring& programFile() const { return programFile_; }
  bool running() const { return running_; }

  // Hook calls from the engines.
  void programOpens(const std::wstring& file, const std::wstring& text) override;
  void programCompiled(const localOperatorCompiled& root) override;
  bool statementStarts(localReturnStateType& state, const localOperatorCompiled& statement, const localCode* code,
                       std::size_t instruction) override;

 private:
  // A running program or procedure, known by the depth of calls and the statements it runs.
  struct runningCode {
    const localOperatorCompiled* body = nullptr;
    bool program = false;  // a program's root, not a procedure
    int source = -1;  // index in sources_, -1 when not known
    unsigned line = 0;  // the line of its current statement
    const localOperatorCompiled* statement = nullptr;  // the statement whose line it holds
    std::size_t instruction = 0;                       // and where it starts (the program engine)
    const localOperatorCompiled* now = nullptr;  // the statement running now (its line is
                                                 // found when asked: where)
    int procedureBreakpoint = 0;  // stop at its first statement for this breakpoint
  };
  struct watchEntry {
    std::wstring name;
    bool exists = false;
    localValueDescription value;
  };
  struct fileBreaks {
    std::vector<int> byLine;  // breakpoint number per line, 0 for none
  };

  int sourceIndex(const std::wstring& file) const;
  void placeBreakpoint(breakpoint& point);
  void rebuildLineBreaks();
  std::wstring procedureOf(const localOperatorCompiled& body) const;
  bool watchesChanged(std::vector<change>& changes);
  bool readVariable(const std::wstring& name, localValueDescription& value) const;
  bool stopHere(localReturnStateType& state, stop& event);
  unsigned lineOf(const localOperatorCompiled& statement, const localCode* code, std::size_t instruction) const;
  // The line of the statement a code runs now.
  unsigned lineNow(runningCode& running) const;

  localContextUTF8& context_;
  driver& driver_;
  std::vector<std::unique_ptr<localDebugSource>> sources_;
  // Every node of every program and body the debugger has seen: whose it is.
  struct home {
    const localOperatorCompiled* body = nullptr;
    int source = -1;
    bool program = false;
  };
  std::unordered_map<const localOperatorCompiled*, home> homes_;
  void learnHome(const localOperatorCompiled& node, const home& owner);
  // Brings codes_ to the depth of calls and the statements the engines noted at each.
  void syncFrames();
  // Tells the engines whether every statement is to come here.
  void listen();
  std::vector<const localOperatorCompiled*> notes_;
  std::vector<unsigned char> breakLines_;  // localDebugHook::breakLines
  unsigned baseDepth_ = 0;
  std::vector<const localOperatorCompiled*> bodiesBefore_;
  int opening_ = -1;
  mutable std::vector<runningCode> codes_;
  std::vector<breakpoint> breakpoints_;
  std::vector<fileBreaks> lineBreaks_;  // per source
  std::size_t lineBreakCount_ = 0;
  int nextBreakpoint_ = 1;
  std::vector<watchEntry> watches_;
  resume mode_ = resume::run;
  std::size_t modeDepth_ = 0;
  bool stoppedOnce_ = false;
  bool quitting_ = false;
  bool evaluating_ = false;
  bool running_ = false;
  std::wstring programFile_;
  std::atomic<unsigned> pauses_{0};  // pause() calls, to tell them from Ctrl-C
  unsigned pausesSeen_ = 0;           // those a stop has answered
  localDebugListener* previousListener_ = nullptr;
};

// The kind of a value in words ("число", "строка", "логическое", "объект").
std::wstring kindName(std::int32_t kind);

}  // namespace localDebug
