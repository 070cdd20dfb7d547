#include "debug/localDebugger.h"

#include <algorithm>
#include <ostream>

#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localInterrupt.h"
#include "core/localNestingGuard.h"
#include "debug/localDebugPlaces.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localOperatorCompiled.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"

namespace localDebug {

namespace {

bool sameValue(const localValueDescription& a, const localValueDescription& b) {
  if (a.getType() != b.getType()) return false;
  switch (a.getType()) {
    case localValueDescription::typeNumber:
      return a.getNum() == b.getNum() || (a.getNum() != a.getNum() && b.getNum() != b.getNum());
    case localValueDescription::typeString:
      return a.getStrRef() == b.getStrRef();
    case localValueDescription::typeBoolean:
      return a.getBoo() == b.getBoo();
    default:
      return a.getObj() == b.getObj();
  }
}

// Code the debugger runs while the program stands (print, an assignment) is not debugged,
// and Ctrl-C stops it as it stops a console line.
class evaluation {
 public:
  explicit evaluation(bool& evaluating) : evaluating_(evaluating) {
    evaluating_ = true;
    localInterruptDivert(nullptr);
  }
  ~evaluation() {
    evaluating_ = false;
    localInterruptState::requested.store(false);
    localInterruptDivert(&localDebugHook::interrupted);
  }
  evaluation(const evaluation&) = delete;
  evaluation& operator=(const evaluation&) = delete;

 private:
  bool& evaluating_;
};

// Where diagnostics go while a quit unwinds the program: nowhere.
std::ostream& discarded() {
  static std::ostream stream(nullptr);
  return stream;
}

}  // namespace

std::wstring kindName(std::int32_t kind) {
  switch (kind) {
    case localValueDescription::typeNumber:
      return L"число";
    case localValueDescription::typeString:
      return L"строка";
    case localValueDescription::typeBoolean:
      return L"логическое";
    default:
      return L"объект";
  }
}

debugger::debugger(localContextUTF8& context, driver& driver) : context_(context), driver_(driver) {}

debugger::~debugger() {
  if (localDebugHook::listener == this) localDebugHook::listener = previousListener_;
}

bool debugger::run(localReturnStateType& state, const std::wstring& file, bool stopOnEntry, bool commandLine) {
  programFile_ = file;
  running_ = true;
  quitting_ = false;
  stoppedOnce_ = false;
  mode_ = stopOnEntry ? resume::step : resume::run;
  baseDepth_ = localNestingGuard::depth(localNestingKind::call);
  notes_.assign(localNestingGuard::limit(localNestingKind::call) + 2, nullptr);
  localDebugHook::notes = notes_.data();
  // A pause asked for from another thread before the run started stops its first statement.
  localDebugHook::interrupted.store(pauses_.load() != pausesSeen_);
  listen();
  previousListener_ = localDebugHook::listener;
  localDebugHook::listener = this;
  localInterruptDivert(&localDebugHook::interrupted);
  std::ostream& diagnostics = localDiagnostics();
  bool succeeded = localShellCommands::runProgramFile(
      state, file, &context_,
      commandLine ? localShellCommands::programSource::commandLine : localShellCommands::programSource::doCommand);
  localInterruptDivert(nullptr);
  localDebugHook::listener = previousListener_;
  localDebugHook::everyStatement.store(false);
  localDebugHook::interrupted.store(false);
  localDebugHook::breakLineCount = 0;
  if (quitting_) {
    // The program ended because the user asked: no failure of its own.
    localSetDiagnostics(&diagnostics);
    localFailurePlace::reset();
    state = localErrorTypeOK;
    succeeded = true;
  }
  codes_.clear();
  running_ = false;
  driver_.ended(succeeded, state);
  return succeeded;
}

// --- What the engines report ----------------------------------------------------------

void debugger::programOpens(const std::wstring& file, const std::wstring& text) {
  sources_.push_back(std::make_unique<localDebugSource>(file, text));
  lineBreaks_.emplace_back();
  opening_ = static_cast<int>(sources_.size() - 1);
  bodiesBefore_.clear();
  for (unsigned i = 0; i < context_.funcCount(); ++i) {
    if (const localOperatorCompiled* body = context_.funcCompiledAt(i)) bodiesBefore_.push_back(body);
  }
}

void debugger::programCompiled(const localOperatorCompiled& root) {
  if (opening_ < 0) return;
  localDebugSource& source = *sources_[static_cast<std::size_t>(opening_)];
  learnHome(root, {&root, opening_, true});
  localDebugPlaces::learn(source, root);
  // The functions this text declared: the bodies the context did not hold before.
  for (unsigned i = 0; i < context_.funcCount(); ++i) {
    const localOperatorCompiled* body = context_.funcCompiledAt(i);
    if (body == nullptr || std::find(bodiesBefore_.begin(), bodiesBefore_.end(), body) != bodiesBefore_.end())
      continue;
    learnHome(*body, {body, opening_, false});
    localDebugPlaces::learn(source, *body);
  }
  bodiesBefore_.clear();
  opening_ = -1;
  for (breakpoint& point : breakpoints_) placeBreakpoint(point);
  rebuildLineBreaks();
  listen();
}

void debugger::learnHome(const localOperatorCompiled& node, const home& owner) {
  homes_[&node] = owner;
  for (const localOperatorCompiled& child : node.children) learnHome(child, owner);
}

void debugger::syncFrames() {
  const std::size_t depth = localNestingGuard::depth(localNestingKind::call) - baseDepth_;
  if (codes_.size() > depth) codes_.resize(depth);
  while (codes_.size() < depth) codes_.emplace_back();
  for (std::size_t i = 0; i < depth; ++i) {
    const localOperatorCompiled* statement = notes_[baseDepth_ + 1 + i];
    runningCode& level = codes_[i];
    if (statement == nullptr || statement == level.now) continue;
    level.now = statement;
    // The statement's home tells whether the level runs the same body as before, or a
    // procedure returned and another took its depth.
    const auto found = homes_.find(statement);
    const home owner = found != homes_.end() ? found->second : home{};
    if (owner.body == level.body && owner.body != nullptr) continue;
    level = runningCode{};
    level.now = statement;
    level.body = owner.body;
    level.source = owner.source;
    level.program = owner.program;
    if (owner.body == nullptr || owner.program) continue;
    for (const breakpoint& point : breakpoints_) {
      if (!point.procedure.empty() && point.procedure == procedureOf(*owner.body)) {
        level.procedureBreakpoint = point.number;
        break;
      }
    }
  }
}

void debugger::listen() {
  bool procedures = false;
  for (const breakpoint& point : breakpoints_) procedures = procedures || !point.procedure.empty();
  localDebugHook::everyStatement.store(mode_ != resume::run || !watches_.empty() || procedures);
  // Line breakpoints are asked by line, in any file: the debugger sorts out the file.
  breakLines_.clear();
  for (const breakpoint& point : breakpoints_) {
    if (!point.procedure.empty() || !point.verified || point.where.line == 0) continue;
    if (breakLines_.size() <= point.where.line) breakLines_.resize(point.where.line + 1, 0);
    breakLines_[point.where.line] = 1;
  }
  localDebugHook::breakLines = breakLines_.data();
  localDebugHook::breakLineCount = breakLines_.size();
}

bool debugger::statementStarts(localReturnStateType& state, const localOperatorCompiled& statement,
                               const localCode* code, std::size_t instruction) {
  if (quitting_) {
    state = localErrorTypeCODE;
    return false;
  }
  if (evaluating_) return true;
  syncFrames();
  if (codes_.empty()) return true;
  runningCode& top = codes_.back();
  if (top.source < 0) return true;  // code from a text the debugger has not seen
  // Asked at every statement: nothing is built until the program stops.
  const std::size_t depth = codes_.size();
  reason why = stoppedOnce_ ? reason::step : reason::entry;
  int number = 0;
  // Stepping goes by lines: a statement stops it when it enters a line.
  const bool stepping = mode_ == resume::step || (mode_ == resume::next && depth <= modeDepth_) ||
                        (mode_ == resume::finish && depth < modeDepth_);
  bool stopping = false;
  if (top.procedureBreakpoint != 0) {
    stopping = true;
    why = reason::procedure;
    number = top.procedureBreakpoint;
  }
  if (localDebugHook::interrupted.load(std::memory_order_relaxed)) {
    stopping = true;
    why = reason::interrupt;
  }
  if (!stopping && !stepping && lineBreakCount_ == 0 && watches_.empty()) return true;

  const unsigned line = lineOf(statement, code, instruction);
  if (line == 0) return true;  // no place to show: the reasons to stop wait for the next statement
  // A line is entered from another line, or again when a loop comes back to it.
  const bool entersLine =
      line != top.line || (code != nullptr ? instruction <= top.instruction : &statement == top.statement);
  top.line = line;
  top.statement = &statement;
  top.instruction = instruction;
  if (stepping && entersLine && !stopping) stopping = true;
  if (!stopping && lineBreakCount_ != 0 && entersLine) {
    const std::vector<int>& byLine = lineBreaks_[static_cast<std::size_t>(top.source)].byLine;
    if (line < byLine.size() && byLine[line] != 0) {
      stopping = true;
      why = reason::breakpoint;
      number = byLine[line];
    }
  }
  std::vector<change> changes;
  if (!watches_.empty() && watchesChanged(changes) && !stopping) {
    stopping = true;
    why = reason::watch;
  }
  if (!stopping) return true;
  stop event;
  event.why = why;
  event.breakpoint = number;
  event.changes = std::move(changes);
  const localDebugSource& source = *sources_[static_cast<std::size_t>(top.source)];
  event.where = {source.file(), line};
  event.sourceLine = source.lineText(line);
  if (why == reason::procedure) event.procedure = procedureOf(*top.body);
  top.procedureBreakpoint = 0;
  return stopHere(state, event);
}

unsigned debugger::lineNow(runningCode& running) const {
  if (running.now == nullptr) return running.line;
  const unsigned line = lineOf(*running.now, nullptr, 0);
  return line != 0 ? line : running.line;
}

unsigned debugger::lineOf(const localOperatorCompiled& statement, const localCode* code,
                          std::size_t instruction) const {
  return localDebugPlaces::statementLine(statement, code, instruction);
}

bool debugger::stopHere(localReturnStateType& state, stop& event) {
  stoppedOnce_ = true;
  localDebugHook::interrupted.store(false);
  const std::size_t depth = codes_.size();
  pausesSeen_ = pauses_.load();
  const resume how = driver_.stopped(event);
  // Ctrl-C at the debugger's prompt stops nothing; a pause from another thread that came
  // while the driver answered (a front-end that let the program go on and was at once
  // asked to pause it) stops the program at its next statement.
  localDebugHook::interrupted.store(pauses_.load() != pausesSeen_);
  // What the driver changed is no change of the program's.
  for (watchEntry& entry : watches_) entry.exists = readVariable(entry.name, entry.value);
  mode_ = how;
  modeDepth_ = depth;
  listen();
  if (how != resume::quit) return true;
  quitting_ = true;
  localSetDiagnostics(&discarded());
  state = localErrorTypeCODE;
  return false;
}

// --- Breakpoints ------------------------------------------------------------------------

int debugger::sourceIndex(const std::wstring& file) const {
  for (std::size_t i = sources_.size(); i-- > 0;) {
    if (sources_[i]->file() == file) return static_cast<int>(i);
  }
  return -1;
}

void debugger::placeBreakpoint(breakpoint& point) {
  if (!point.procedure.empty()) return;
  const int index = sourceIndex(point.where.file);
  if (index < 0) return;
  const localDebugSource& source = *sources_[static_cast<std::size_t>(index)];
  const auto found = source.statementLines.lower_bound(point.askedLine);
  const unsigned best = found == source.statementLines.end() ? 0 : *found;
  point.where.line = best;
  point.verified = true;
}

void debugger::rebuildLineBreaks() {
  lineBreakCount_ = 0;
  for (fileBreaks& breaks : lineBreaks_) breaks.byLine.clear();
  for (const breakpoint& point : breakpoints_) {
    if (!point.procedure.empty() || !point.verified || point.where.line == 0) continue;
    const int index = sourceIndex(point.where.file);
    if (index < 0) continue;
    std::vector<int>& byLine = lineBreaks_[static_cast<std::size_t>(index)].byLine;
    if (byLine.size() <= point.where.line) byLine.resize(point.where.line + 1, 0);
    if (byLine[point.where.line] == 0) byLine[point.where.line] = point.number;
    ++lineBreakCount_;
  }
}

breakpoint debugger::breakAtLine(unsigned line, const std::wstring& file) {
  breakpoint point;
  point.number = nextBreakpoint_++;
  point.where.file = file.empty() ? current().file : file;
  if (point.where.file.empty()) point.where.file = programFile_;
  point.where.line = line;
  point.askedLine = line;
  placeBreakpoint(point);
  breakpoints_.push_back(point);
  rebuildLineBreaks();
  return point;
}

breakpoint debugger::breakAtProcedure(const std::wstring& name) {
  breakpoint point;
  point.number = nextBreakpoint_++;
  point.procedure = localString::wstringToUpper(name);
  point.verified = context_.funcCompiledAt(context_.funcFind(point.procedure)) != nullptr;
  breakpoints_.push_back(point);
  return point;
}

bool debugger::deleteBreakpoint(int number) {
  const auto found = std::find_if(breakpoints_.begin(), breakpoints_.end(),
                                  [number](const breakpoint& point) { return point.number == number; });
  if (found == breakpoints_.end()) return false;
  breakpoints_.erase(found);
  rebuildLineBreaks();
  return true;
}

void debugger::deleteBreakpoints() {
  breakpoints_.clear();
  rebuildLineBreaks();
}

// --- Watches ----------------------------------------------------------------------------

bool debugger::readVariable(const std::wstring& name, localValueDescription& value) const {
  const std::size_t position = context_.varFind(name);
  if (position == localContextUTF8::npos) return false;
  value = const_cast<localContextUTF8&>(context_).varValueAt(position);
  return true;
}

bool debugger::watch(const std::wstring& name) {
  const std::wstring upper = localString::wstringToUpper(name);
  for (const watchEntry& entry : watches_) {
    if (entry.name == upper) return false;
  }
  watchEntry entry;
  entry.name = upper;
  entry.exists = readVariable(upper, entry.value);
  watches_.push_back(std::move(entry));
  return true;
}

bool debugger::unwatch(const std::wstring& name) {
  const std::wstring upper = localString::wstringToUpper(name);
  const auto found = std::find_if(watches_.begin(), watches_.end(),
                                  [&upper](const watchEntry& entry) { return entry.name == upper; });
  if (found == watches_.end()) return false;
  watches_.erase(found);
  return true;
}

std::vector<variable> debugger::watched() const {
  std::vector<variable> list;
  for (const watchEntry& entry : watches_) {
    list.push_back({entry.name, entry.exists ? entry.value.getType() : -1,
                    entry.exists ? entry.value.toString() : std::wstring()});
  }
  return list;
}

bool debugger::watchesChanged(std::vector<change>& changes) {
  bool changed = false;
  localValueDescription now;
  for (watchEntry& entry : watches_) {
    const bool exists = readVariable(entry.name, now);
    if (exists == entry.exists && (!exists || sameValue(now, entry.value))) continue;
    changes.push_back({entry.name, entry.exists ? entry.value.toString() : std::wstring(),
                       exists ? now.toString() : std::wstring(), entry.exists, exists});
    entry.exists = exists;
    if (exists) entry.value = now;
    changed = true;
  }
  return changed;
}

// --- What a stop shows ------------------------------------------------------------------

std::wstring debugger::procedureOf(const localOperatorCompiled& body) const {
  for (unsigned i = 0; i < context_.funcCount(); ++i) {
    if (context_.funcCompiledAt(i) == &body) return context_.funcByIdx(i).name;
  }
  return std::wstring();
}

std::vector<frame> debugger::stack() const {
  std::vector<frame> frames;
  for (std::size_t i = codes_.size(); i-- > 0;) {
    const runningCode& code = codes_[i];
    if (code.source < 0) continue;
    frame shown;
    shown.where = {sources_[static_cast<std::size_t>(code.source)]->file(), lineNow(codes_[i])};
    shown.program = code.program;
    shown.procedure = code.program ? shown.where.file : procedureOf(*code.body);
    frames.push_back(std::move(shown));
  }
  return frames;
}

place debugger::current() const {
  for (std::size_t i = codes_.size(); i-- > 0;) {
    if (codes_[i].source >= 0) return {sources_[static_cast<std::size_t>(codes_[i].source)]->file(), lineNow(codes_[i])};
  }
  return {};
}

std::vector<variable> debugger::variables() const {
  std::vector<variable> list;
  localContextUTF8& context = const_cast<localContextUTF8&>(context_);
  for (unsigned i = 0; i < context.varCount(); ++i) {
    const localContextUTF8::variableDescription* record = context.varByIdx(i);
    if (record != nullptr) list.push_back({record->name, record->value.getType(), record->value.toString()});
  }
  return list;
}

std::vector<std::pair<unsigned, std::wstring>> debugger::sourceLines(const std::wstring& file, unsigned from,
                                                                     unsigned to) const {
  std::vector<std::pair<unsigned, std::wstring>> lines;
  const int index = sourceIndex(file.empty() ? programFile_ : file);
  if (index < 0) return lines;
  const localDebugSource& source = *sources_[static_cast<std::size_t>(index)];
  from = std::max(from, 1u);
  to = std::min(to, source.lineCount());
  for (unsigned line = from; line <= to; ++line) lines.emplace_back(line, source.lineText(line));
  return lines;
}

bool debugger::evaluate(localReturnStateType& state, const std::wstring& expression, localValueDescription& value) {
  const evaluation guard(evaluating_);
  value.reset();
  unsigned position = 0;
  if (!localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state, expression, position, value, &context_,
                                                                  false))
    return false;
  localInterpretatorUTF8::scanStringSkipVoidChars(expression, position);
  if (position < expression.size() && expression[position] == L';') ++position;
  localInterpretatorUTF8::scanStringSkipVoidChars(expression, position);
  if (position < expression.size()) {
    state = localErrorTypeSYNTAX;
    return false;
  }
  return true;
}

bool debugger::assign(localReturnStateType& state, const std::wstring& statement) {
  const evaluation guard(evaluating_);
  unsigned position = 0;
  return localInterpretatorUTF8::scanStringGetOperatorAndExec(state, statement, position, &context_, false) &&
         state == localErrorTypeOK;
}

}  // namespace localDebug
