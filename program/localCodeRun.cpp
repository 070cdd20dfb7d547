// The dispatch loop of the program engine. Every operation on values goes to the routine
// the scanner uses (binaryOperationByEnumEvaluate, the name-term pieces, the context),
// with one numbers-only branch inline; a failure stops the loop and reports through the
// failure table.
#include <iterator>
#include <memory>
#include <vector>

#include "core/localFailurePlace.h"
#include "core/localInterrupt.h"
#include "core/localNestingGuard.h"
#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNameTerm.h"
#include "interp/localNumberOperation.h"
#include "program/localCode.h"
#include "program/localDebugHook.h"
#include "program/localExecuteTraces.h"
#include "program/localOperatorCompiled.h"

namespace {

// The slots of one running code: its operand stack and the argument list it hands to
// calls. One frame per nesting level of running codes; a frame keeps its storage, so
// calls do not allocate once warmed up, and deeper frames never move a shallower one.
struct frame {
  std::vector<localValueDescription> slots;
  std::size_t slotCount = 0;  // slots.size(), kept apart: every call asks
  // Argument lists by their length, each sized once: a call only points them at its slots.
  std::vector<localValueList> views;
  std::size_t viewCount = 0;  // views.size(), kept apart: every call asks
};

class frameStack {
 public:
  frame& acquire(std::size_t slots) {
    if (depth_ == frames_.size()) frames_.push_back(std::make_unique<frame>());
    frame& taken = *frames_[depth_++];
    if (taken.slotCount < slots) {
      taken.slots.resize(slots);
      taken.slotCount = slots;
    }
    return taken;
  }
  void release() { --depth_; }

 private:
  std::vector<std::unique_ptr<frame>> frames_;
  std::size_t depth_ = 0;
};

frameStack frames;

// How often each opcode ran, in builds that count (tests check every opcode runs).
std::uint64_t opcodeCounts[static_cast<std::size_t>(localOpcode::end) + 1] = {};

class frameLease {
 public:
  explicit frameLease(std::size_t slots) : taken(frames.acquire(slots)) {}
  ~frameLease() { frames.release(); }
  frameLease(const frameLease&) = delete;
  frameLease& operator=(const frameLease&) = delete;
  frame& taken;
};

// The expression levels a call's operand holds while the call runs: the scanner holds one
// per enclosing expression (the whole, brackets, arguments) at that point.
class levelsHeld {
 public:
  explicit levelsHeld(unsigned levels) : levels_(levels) { localNestingGuard::hold(localNestingKind::expression, levels); }
  ~levelsHeld() { localNestingGuard::release(localNestingKind::expression, levels_); }
  levelsHeld(const levelsHeld&) = delete;
  levelsHeld& operator=(const levelsHeld&) = delete;

 private:
  unsigned levels_;
};

localPossibleBinaryOperation operationOf(const localInstruction& instruction) {
  return static_cast<localPossibleBinaryOperation>(instruction.operation);
}

// left := left op right, through the numbers-only branch or the shared routine.
[[gnu::always_inline]] inline bool localCodeOperate(localReturnStateType& state, localValueDescription& left,
                                           localPossibleBinaryOperation operation,
                                           const localValueDescription& right) {
  static_assert(localValueDescription::typeNumber == 0);
  if ((left.getType() | right.getType()) == localValueDescription::typeNumber)
    return localNumberOperation::apply(state, left, operation, left.getNum(), right.getNum());
  return localInterpretatorUTF8::binaryOperationByEnumEvaluate(state, left, operation, left, right);
}

// The argument list of a call: pointers to its argument slots.
[[gnu::always_inline]] inline localValueList& argumentsOf(frame& current, localValueDescription* first, std::uint32_t count) {
  if (current.viewCount <= count) {
    current.views.resize(count + 1);
    for (std::size_t i = 0; i <= count; ++i) current.views[i].resize(i);
    current.viewCount = count + 1;
  }
  localValueList& view = current.views[count];
  localValueDescription** slot = view.data();
  // A call at the same stack depth as the last one of its length finds the list ready.
  if (count != 0 && slot[0] == first) return view;
  for (std::uint32_t i = 0; i < count; ++i) slot[i] = first + i;
  return view;
}

class localCodeRunner {
 public:
  localCodeRunner(const localCode& code, localReturnStateType& state, localContextUTF8& context,
                  localValueList* arguments, localValueDescription& result, frame& slots)
      : code_(code),
        names_(code.variables.data()),
        values_(code.operandValues.values.data()),
        comparisons_(code.comparisons.data()),
        state_(state),
        context_(context),
        arguments_(arguments),
        result_(result),
        frame_(slots) {}

  bool run();

 private:
  // The value of an operand: a literal, or a variable (null when there is none). The
  // variables' entries hold for the context's generation (settle() keeps it so); a name
  // not looked up yet, or missing, is looked for. values is values_, which run() holds
  // in a local of its own so that the handlers need not reach it through this.
  [[gnu::always_inline]] localValueDescription* lookUp(localValueDescription* const* values, std::uint32_t index) {
    localValueDescription* found = values[index];
    return found != nullptr ? found : find(index);
  }
  [[gnu::noinline]] localValueDescription* find(std::uint32_t index) {
    const std::size_t position = context_.varFind(names_[index].text);
    if (position == localContextUTF8::npos) return nullptr;
    code_.operandValues.found.push_back(index);
    return values_[index] = &context_.varValueAt(position);
  }
  // After anything that may have created, removed or moved records (a call, a command,
  // a new variable): the values found before are forgotten when the generation moved.
  [[gnu::always_inline]] void settle() {
    if (code_.operandValues.generation != context_.generation()) forget();
  }
  [[gnu::noinline]] void forget() {
    localCode::operandTable& table = code_.operandValues;
    for (const std::uint32_t index : table.found) table.values[index] = nullptr;
    table.found.clear();
    table.generation = context_.generation();
  }
  // The same for an operand read, which fails without the variable.
  [[gnu::always_inline]] localValueDescription* operandValue(localValueDescription* const* values, std::uint32_t index) {
    localValueDescription* found = lookUp(values, index);
    if (found == nullptr) state_ = localErrorTypeVARIABLEunknown;
    return found;
  }
  // The variable an update changes in place, or null (with the state set) when there is none.
  [[gnu::always_inline]] localValueDescription* variableToChange(localValueDescription* const* values,
                                                                 localContextUTF8* context, std::uint32_t index) {
    localValueDescription* found = operandValue(values, index);
    if (found != nullptr) context->varWillChange();
    return found;
  }
  // Ctrl-C at a loop's pass: the loop fails with its report, then its blocks report.
  // The place is the loop's statement, not the part of its test.
  bool interrupted(const localInstruction& instruction) {
    localInterruptReport(state_, "execute", 405);
    const localSourcePlace place =
        code_.statementPlaceAt(static_cast<std::size_t>(&instruction - code_.instructions.data()));
    localFailurePlace::failedAt(code_.source, place.line, place.column, std::wstring());
    return fail(instruction, false);
  }
  int compare(localValueDescription* const* values, const localInstruction& instruction,
              localValueDescription& scratch);
  int compareWith(const localInstruction& instruction, localValueDescription& left,
                  const localValueDescription* right);
  bool callFunction(const localInstruction& instruction, localValueDescription* top);
  [[gnu::always_inline]] bool callTable(localValueDescription* const* values, const localInstruction& instruction,
                                        localValueDescription*& top);
  [[gnu::noinline]] bool tableMember(const localTableCall& call, const localClassDeclaration& declaration) const;
  [[gnu::always_inline]] bool callNumeric(localValueDescription* const* values, const localInstruction& instruction,
                                          localValueDescription*& top);
  [[gnu::noinline]] bool numericFunction(const localNumericCall& call);
  bool callMethod(const localInstruction& instruction, localValueDescription* top);
  bool fail(const localInstruction& instruction, bool ownLines = true);

  const localCode& code_;
  const localCode::name* const names_;
  localValueDescription** const values_;
  const localCode::comparison* const comparisons_;
  localReturnStateType& state_;
  localContextUTF8& context_;
  localValueList* arguments_;
  localValueDescription& result_;
  frame& frame_;
};

bool localCodeRunner::callFunction(const localInstruction& instruction, localValueDescription* top) {
  const localCode::call& call = code_.calls[instruction.a];
  const localCode::name& name = code_.functions[call.name];
  localValueDescription* first = top - instruction.b;
  localValueDescription& value = first[-1];
  localValueList& list = argumentsOf(frame_, first, instruction.b);
  const levelsHeld held(instruction.levels);
  return localNameTerm::call(state_, &context_, value, localNameTerm::callee{name.text, nullptr, &name.site}, &list,
                             call.place.closePosition, call.place.termStart) &&
         state_ == localErrorTypeOK;
}

bool localCodeRunner::callMethod(const localInstruction& instruction, localValueDescription* top) {
  const localCode::call& call = code_.calls[instruction.a];
  const localCode::member& member = code_.members[call.name];
  localValueDescription* first = top - instruction.b;
  localValueDescription& value = first[-1];
  localValueList& list = argumentsOf(frame_, first, instruction.b);
  const levelsHeld held(instruction.levels);
  return localNameTerm::callMethod(state_, &context_, value, member.upper, &member.site, &list, call.place) &&
         state_ == localErrorTypeOK;
}

// A value table's own method in one step (localCodeTableCall.h); false, with nothing done,
// leaves the call to the general sequence after the instruction.
[[gnu::always_inline]] inline bool localCodeRunner::callTable(localValueDescription* const* values,
                                                             const localInstruction& instruction,
                                                             localValueDescription*& top) {
  const localTableCall& call = code_.tableCalls[instruction.b];
  localValueDescription* const firstSlot = top - call.slots;
  const auto argument = [&](std::uint8_t i) __attribute__((always_inline)) -> const localValueDescription* {
    return i < call.slots ? firstSlot + i : lookUp(values, call.arguments[i]);
  };
  const bool objectInSlot = call.object == localTableCall::inSlot;
  localValueDescription* const result = objectInSlot ? firstSlot - 1 : top;
  const localValueDescription* object = objectInSlot ? result : lookUp(values, call.object);
  const auto ownMember = [this, &call](const localClassDeclaration& declaration) {
    return tableMember(call, declaration);
  };
  if (!localTableCallRun::run(call, object, argument, *result, ownMember)) return false;
  top = result + 1;
  return true;
}

// Whether the declaration's member of the call's name is the table's own; the stamp it
// was found at is kept, so the next call from the place checks only that.
bool localCodeRunner::tableMember(const localTableCall& call, const localClassDeclaration& declaration) const {
  const localCode::member& member = code_.members[call.member];
  if (!localValueTableCells::isOwnMember(declaration.getMember(member.upper, &member.site), call.method)) return false;
  call.stamp = declaration.stamp();
  return true;
}

// A pure numeric built-in in one step (localCodeNumericCall.h); false, with nothing done,
// leaves the call to the general sequence after the instruction.
[[gnu::always_inline]] inline bool localCodeRunner::callNumeric(localValueDescription* const* values,
                                                               const localInstruction& instruction,
                                                               localValueDescription*& top) {
  const localNumericCall& call = code_.numericCalls[instruction.b];
  if (call.generation != context_.generation() && !numericFunction(call)) return false;
  localValueDescription* const firstSlot = top - call.slots;
  const auto argument = [&](std::size_t i) __attribute__((always_inline)) -> const localValueDescription* {
    return i < call.slots ? firstSlot + i : lookUp(values, call.arguments[i]);
  };
  // Without arguments in slots the result slot is a new one, as pushFresh makes it.
  const bool newSlot = call.slots == 0;
  localValueDescription* const result = newSlot ? top : firstSlot - 1;
  if (newSlot) result->reset();
  if (!localNumericCallRun::run(call, argument, *result)) return false;
  top = result + 1;
  return true;
}

// Whether the call's name finds the built-in in the context as it is now (and not a user
// function, or nothing); the generation it was found at is kept, so the next call from the
// place checks only that.
bool localCodeRunner::numericFunction(const localNumericCall& call) {
  const localCode::name& name = code_.functions[call.name];
  const std::size_t position = context_.funcFindAtSite(name.site, name.text);
  if (position == localContextUTF8::npos || position >= context_.funcCount()) return false;
  const localContextUTF8::functionDescription record = context_.funcByIdx(static_cast<unsigned>(position));
  if (record.operatorCompiled != nullptr || record.builtin != localBuiltin::numericEntry(call.function)) return false;
  call.generation = context_.generation();
  return true;
}

bool localCodeRunner::fail(const localInstruction& instruction, bool ownLines) {
  const localFailureRow& row = code_.failures[instruction.failure];
  // The instruction names the part that failed; a node run by the scanner or by its own
  // executor has noted its place already (or notes it with its lines below).
  const localOpcode op = instruction.op;
  if (op != localOpcode::pushScanned && op != localOpcode::command && op != localOpcode::scanStatement &&
      op != localOpcode::runNode) {
    std::wstring subject;
    const localSourcePlace place =
        code_.failurePlace(static_cast<std::size_t>(&instruction - code_.instructions.data()), state_, context_, subject);
    localFailurePlace::failedAt(code_.source, place.line, place.column, subject);
  }
  if (ownLines) {
    switch (row.what) {
      case localFailureRow::lines::none:
        break;
      case localFailureRow::lines::node:
        localExecuteTraces::nodeFailure(state_, *row.node, row.first);
        break;
      case localFailureRow::lines::print:
        localExecuteTraces::statementLine(*row.node, 446);
        break;
      case localFailureRow::lines::ifCondition:
        localExecuteTraces::statementLine(*row.node, 378);
        break;
      case localFailureRow::lines::whileCondition:
        localExecuteTraces::statementLine(*row.node, 404);
        break;
    }
  }
  for (unsigned i = 0; i < row.blocks; ++i) localExecuteTraces::blockFailure(state_);
  return false;
}

// The truth of a fused comparison of two leaves: 1 or 0, -1 when reading or comparing
// failed (with the state set).
[[gnu::always_inline]] inline int localCodeRunner::compare(localValueDescription* const* values,
                                                           const localInstruction& instruction,
                                                           localValueDescription& scratch) {
  const localPossibleBinaryOperation operation = operationOf(instruction);
  const localCode::comparison& comparison = comparisons_[instruction.b];
  const localValueDescription* left = operandValue(values, comparison.left);
  if (left == nullptr) return -1;
  const localValueDescription* right = operandValue(values, comparison.right);
  if (right == nullptr) return -1;
  if ((left->getType() | right->getType()) == localValueDescription::typeNumber)
    return localNumberOperation::holds(comparison.outcomes, left->getNum(), right->getNum()) ? 1 : 0;
  // The truth is all that is read of the result, so it may go into any slot.
  if (!localInterpretatorUTF8::binaryOperationByEnumEvaluate(state_, scratch, operation, *left, *right)) return -1;
  return scratch.getBoo() ? 1 : 0;
}

// The truth of a slot compared with right, as operateWith or operate and then jumpUnless
// would find it: 1 or 0, -1 when there is no right operand or comparing failed (with the
// state set).
[[gnu::always_inline]] inline int localCodeRunner::compareWith(const localInstruction& instruction,
                                                               localValueDescription& left,
                                                               const localValueDescription* right) {
  const localPossibleBinaryOperation operation = operationOf(instruction);
  if (right == nullptr) return -1;
  if ((left.getType() | right->getType()) == localValueDescription::typeNumber)
    return localNumberOperation::compare(operation, left.getNum(), right->getNum()) ? 1 : 0;
  if (!localInterpretatorUTF8::binaryOperationByEnumEvaluate(state_, left, operation, left, *right)) return -1;
  return left.getBoo() ? 1 : 0;
}

// One label per opcode, in the order of localOpcode; each handler ends by going straight
// to the next instruction's handler.
bool localCodeRunner::run() {
  static void* const handlers[] = {
      &&push,           &&pushFresh,    &&pushScanned,   &&operate,        &&operateWith,    &&startChain,
      &&readAttribute,  &&callFunction, &&callMethod,    &&callTable,      &&callNumeric,    &&store,
      &&update,         &&pop,          &&print,         &&jump,           &&jumpUnless,     &&jumpUnlessWith,
      &&jumpUnlessOperate,
      &&jumpUnlessCompare, &&loopCompare, &&command,     &&runNode,        &&scanStatement,  &&traceNone,
      &&traceReturn,    &&stateCheck,   &&end};
  static_assert(sizeof handlers / sizeof handlers[0] == static_cast<std::size_t>(localOpcode::end) + 1);
  // Under a debugger every opcode goes first to `statementStart`, which tells the debugger where
  // a statement starts and then goes on to the opcode's own handler. The table is chosen
  // once, as the code starts: without a debugger the loop tests nothing more.
  static void* watchedHandlers[std::size(handlers)] = {};
  void* const* table = handlers;
  if (localDebugHook::attached()) {
    for (void*& handler : watchedHandlers) handler = &&statementStart;
    table = watchedHandlers;
  }
  const localInstruction* const start = code_.instructions.data();
  const localInstruction* pc = start;
  localValueDescription* top = frame_.slots.data();  // the first free slot
  localValueDescription* const* const values = values_;
  localContextUTF8* const context = &context_;
#ifdef LOCALINTERP_COUNT_OPCODES
#define LOCAL_NEXT()                                     \
  do {                                                   \
    ++opcodeCounts[static_cast<std::size_t>(pc->op)];    \
    goto* table[static_cast<std::size_t>(pc->op)];       \
  } while (false)
#else
#define LOCAL_NEXT() goto* table[static_cast<std::size_t>(pc->op)]
#endif
#define LOCAL_FAIL() return fail(*(pc - 1))
// The end of a condition's instruction, given its truth (1, 0, or -1 when it failed):
// jumps to the instruction's target when it does not hold; a loop's condition that holds
// checks for Ctrl-C before the pass.
#define LOCAL_UNLESS(truth)                                                 \
  do {                                                                      \
    const int holds = (truth);                                              \
    if (holds < 0) LOCAL_FAIL();                                            \
    if (holds == 0) {                                                       \
      pc = start + instruction.a;                                           \
    } else if (instruction.levels != 0 && localInterruptRequested()) {      \
      return interrupted(instruction);                                      \
    }                                                                       \
    LOCAL_NEXT();                                                           \
  } while (false)
  settle();
  LOCAL_NEXT();

push : {
  const localValueDescription* found = operandValue(values, (pc++)->a);
  if (found == nullptr) LOCAL_FAIL();
  *top++ = *found;
  LOCAL_NEXT();
}
pushFresh:
  ++pc;
  (top++)->reset();
  LOCAL_NEXT();
pushScanned : {
  localValueDescription& value = *top++;
  value.reset();
  unsigned position = 0;
  if (!localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state_, code_.nodes[(pc++)->a]->text, position,
                                                                  value, &context_, false))
    LOCAL_FAIL();
  settle();
  LOCAL_NEXT();
}
operate:
  --top;
  if (!localCodeOperate(state_, top[-1], operationOf(*pc++), *top)) LOCAL_FAIL();
  LOCAL_NEXT();
operateWith : {
  const localInstruction& instruction = *pc++;
  const localValueDescription* right = operandValue(values, instruction.a);
  if (right == nullptr || !localCodeOperate(state_, top[-1], operationOf(instruction), *right)) LOCAL_FAIL();
  LOCAL_NEXT();
}
startChain : {
  const localInstruction& instruction = *pc++;
  localValueDescription& value = *top++;
  const localValueDescription* variable = lookUp(values, instruction.a);
  if (variable != nullptr && variable->getType() == localValueDescription::typeObject) {
    value.resetToObject(variable->getObj(), variable->getClassDeclaration());
  } else {
    value.reset();
    if (!localNameTerm::startChain(state_, &context_, names_[instruction.a].text, code_.calls[instruction.b].afterWord,
                                   value))
      LOCAL_FAIL();
    settle();
  }
  LOCAL_NEXT();
}
readAttribute:
  if (!localNameTerm::readAttribute(state_, top[-1], code_.members[(pc++)->a].upper)) LOCAL_FAIL();
  settle();
  LOCAL_NEXT();
callFunction:
  if (!callFunction(*pc++, top)) LOCAL_FAIL();
  top -= (pc - 1)->b;
  settle();
  LOCAL_NEXT();
callMethod:
  if (!callMethod(*pc++, top)) LOCAL_FAIL();
  top -= (pc - 1)->b;
  settle();
  LOCAL_NEXT();
callTable : {
  const localInstruction& instruction = *pc++;
  if (callTable(values, instruction, top)) pc = start + instruction.a;
  LOCAL_NEXT();
}
callNumeric : {
  const localInstruction& instruction = *pc++;
  if (callNumeric(values, instruction, top)) pc = start + instruction.a;
  LOCAL_NEXT();
}
store : {
  const std::uint32_t index = (pc++)->a;
  if (localValueDescription* variable = lookUp(values, index)) {
    context->varWillChange();
    variable->takeFrom(*--top);
  } else {
    context_.varSetValue(names_[index].text, std::move(*--top));  // a new record: the generation moves on
    settle();
  }
  LOCAL_NEXT();
}
update : {
  const localInstruction& instruction = *pc++;
  localValueDescription* target = variableToChange(values, context, instruction.a);
  if (target == nullptr) LOCAL_FAIL();
  // The operand is found after the target: the order the scanner reads them in.
  const localValueDescription* right = operandValue(values, instruction.b);
  if (right == nullptr || !localCodeOperate(state_, *target, operationOf(instruction), *right)) LOCAL_FAIL();
  LOCAL_NEXT();
}
pop:
  ++pc;
  --top;
  LOCAL_NEXT();
print:
  ++pc;
  (--top)->COUT();
  settle();  // an object prints through its class
  LOCAL_NEXT();
jump:
  pc = start + pc->a;
  LOCAL_NEXT();
jumpUnless : {
  const localInstruction& instruction = *pc++;
  LOCAL_UNLESS((--top)->getBoo() ? 1 : 0);
}
jumpUnlessWith : {
  const localInstruction& instruction = *pc++;
  LOCAL_UNLESS(compareWith(instruction, *--top, operandValue(values, instruction.b)));
}
jumpUnlessOperate : {
  const localInstruction& instruction = *pc++;
  top -= 2;
  LOCAL_UNLESS(compareWith(instruction, *top, top + 1));
}
jumpUnlessCompare : {
  const localInstruction& instruction = *pc++;
  LOCAL_UNLESS(compare(values, instruction, *top));
}
loopCompare : {
  const localInstruction& instruction = *pc++;
  const int holds = compare(values, instruction, *top);
  if (holds < 0) LOCAL_FAIL();
  if (holds != 0) {
    if (localInterruptRequested()) return interrupted(instruction);
    pc = start + instruction.a;
  }
  LOCAL_NEXT();
}
command:
scanStatement:
  if (!localOperatorCompiled::executeScanning(state_, &context_, code_.nodes[(pc++)->a], arguments_, result_))
    LOCAL_FAIL();
  settle();
  LOCAL_NEXT();
runNode : {
  const localOperatorCompiled* node = code_.nodes[(pc++)->a];
  if (!node->executor(state_, &context_, node, arguments_, result_)) LOCAL_FAIL();
  settle();
  LOCAL_NEXT();
}
traceNone:
  ++pc;
  localExecuteTraces::noneNode();
  if (state_ != localErrorTypeOK) LOCAL_FAIL();
  LOCAL_NEXT();
traceReturn:
  ++pc;
  localExecuteTraces::returnNode();
  if (state_ != localErrorTypeOK) LOCAL_FAIL();
  LOCAL_NEXT();
stateCheck:
  ++pc;
  if (state_ != localErrorTypeOK) LOCAL_FAIL();
  LOCAL_NEXT();
end:
  return state_ == localErrorTypeOK;
statementStart : {
  const std::size_t at = static_cast<std::size_t>(pc - start);
  const localOperatorCompiled* statement = code_.statementAt[at];
  if (statement != nullptr && localDebugHook::noteStatement(*statement)) {
    // The debugger may have ended the program, or changed variables while it stood here.
    if (!localDebugHook::listener->statementStarts(state_, *statement, &code_, at)) return false;
    settle();
  }
  goto* handlers[static_cast<std::size_t>(pc->op)];
}
#undef LOCAL_NEXT
#undef LOCAL_FAIL
#undef LOCAL_UNLESS
}

}  // namespace

std::uint64_t localCode::timesRun(localOpcode op) { return opcodeCounts[static_cast<std::size_t>(op)]; }

bool localCode::run(localReturnStateType& state, localContextUTF8& context, const localOperatorCompiled& node,
                    localValueList* arguments, localValueDescription& result) {
  const localCode& code = node.code();
  // The levels a statement's expression takes do not change while the code runs (a call
  // gives back what it took), so one check here stands for every statement; without
  // room the scanning way runs the node and fails where the bound is met.
  if (!localNestingGuard::roomFor(localNestingKind::expression, code.levelsNeeded))
    return localOperatorCompiled::executeScanning(state, &context, &node, arguments, result);
  const frameLease lease(code.stackNeeded + 1);
  return localCodeRunner(code, state, context, arguments, result, lease.taken).run();
}
