// The dispatch loop of the program engine. Every operation on values goes to the routine
// the scanner uses (binaryOperationByEnumEvaluate, the name-term pieces, the context),
// with one numbers-only branch inline; a failure stops the loop and reports through the
// failure table.
#include <memory>
#include <vector>

#include "core/localInterrupt.h"
#include "core/localNestingGuard.h"
#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNameTerm.h"
#include "interp/localNumberOperation.h"
#include "program/localCode.h"
#include "program/localExecuteTraces.h"
#include "program/localOperatorCompiled.h"

namespace {

// The slots of one running code: its operand stack and the argument list it hands to
// calls. One frame per nesting level of running codes; a frame keeps its storage, so
// calls do not allocate once warmed up, and deeper frames never move a shallower one.
struct frame {
  std::vector<localValueDescription> slots;
  localValueList view;
};

class frameStack {
 public:
  frame& acquire(std::size_t slots) {
    if (depth_ == frames_.size()) frames_.push_back(std::make_unique<frame>());
    frame& taken = *frames_[depth_++];
    if (taken.slots.size() < slots) taken.slots.resize(slots);
    return taken;
  }
  void release() { --depth_; }

 private:
  std::vector<std::unique_ptr<frame>> frames_;
  std::size_t depth_ = 0;
};

frameStack frames;

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
[[gnu::always_inline]] inline bool operate(localReturnStateType& state, localValueDescription& left,
                                           localPossibleBinaryOperation operation,
                                           const localValueDescription& right) {
  if (left.getType() == localValueDescription::typeNumber && right.getType() == localValueDescription::typeNumber)
    return localNumberOperation::apply(state, left, operation, left.getNum(), right.getNum());
  return localInterpretatorUTF8::binaryOperationByEnumEvaluate(state, left, operation, left, right);
}

// The argument list of a call: pointers to its argument slots.
localValueList& argumentsOf(frame& current, localValueDescription* first, std::uint32_t count) {
  localValueList& view = current.view;
  view.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) view[i] = first + i;
  return view;
}

class localCodeRunner {
 public:
  localCodeRunner(const localCode& code, localReturnStateType& state, localContextUTF8& context,
                  localValueList* arguments, localValueDescription& result, frame& slots)
      : code_(code), state_(state), context_(context), arguments_(arguments), result_(result), frame_(slots) {}

  bool run();

 private:
  const localValueDescription* variableValue(std::uint32_t index) {
    const localCode::name& name = code_.variables[index];
    const localValueDescription* found = context_.varValueAtSite(name.site, name.text);
    if (found == nullptr) state_ = localErrorTypeVARIABLEunknown;
    return found;
  }
  // A fused comparison's operand: a variable in place, or a literal.
  const localValueDescription* operandValue(const localCode::operand& operand) {
    return operand.variable ? variableValue(operand.index) : &code_.literals[operand.index];
  }
  bool interrupted() {
    localInterruptReport(state_, "execute", 405);
    return false;
  }
  bool callFunction(const localInstruction& instruction, localValueDescription* top);
  bool callMethod(const localInstruction& instruction, localValueDescription* top);
  bool fail(const localInstruction& instruction, bool ownLines = true);

  const localCode& code_;
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
                             call.closePosition, call.termStart) &&
         state_ == localErrorTypeOK;
}

bool localCodeRunner::callMethod(const localInstruction& instruction, localValueDescription* top) {
  const localCode::call& call = code_.calls[instruction.a];
  const localCode::member& member = code_.members[call.name];
  localValueDescription* first = top - instruction.b;
  localValueDescription& value = first[-1];
  localValueList& list = argumentsOf(frame_, first, instruction.b);
  const levelsHeld held(instruction.levels);
  const localNameTerm::callee target{member.upper, &member.upper, nullptr, &member.site};
  const localClassDeclaration* declaration = value.getClassDeclaration();
  if (instruction.b > 0 && value.getType() == localValueDescription::typeObject && declaration != nullptr) {
    // The member is found after the arguments ran: they may have changed what the site knows.
    const localClassDeclaration::classMember* found = declaration->getMember(member.upper, &member.site);
    if (found != nullptr && found->execFunction != nullptr)
      return localNameTerm::callMember(state_, value, *found, member.upper, &list, call.termStart) &&
             state_ == localErrorTypeOK;
  }
  return localNameTerm::call(state_, &context_, value, target, &list, call.closePosition, call.termStart) &&
         state_ == localErrorTypeOK;
}

bool localCodeRunner::fail(const localInstruction& instruction, bool ownLines) {
  const localFailureRow& row = code_.failures[instruction.failure];
  if (ownLines) {
    switch (row.what) {
      case localFailureRow::lines::none:
        break;
      case localFailureRow::lines::node:
        localExecuteTraces::nodeFailure(state_, *row.node, row.first);
        break;
      case localFailureRow::lines::print:
        localExecuteTraces::line(L"ERROR!!! func: ", 446);
        break;
      case localFailureRow::lines::ifCondition:
        localExecuteTraces::line(L"ERROR!!! func: ", 378);
        break;
      case localFailureRow::lines::whileCondition:
        localExecuteTraces::line(L"ERROR!!! func: ", 404);
        break;
    }
  }
  for (unsigned i = 0; i < row.blocks; ++i) localExecuteTraces::blockFailure(state_);
  return false;
}

bool localCodeRunner::run() {
  const localInstruction* const start = code_.instructions.data();
  const localInstruction* pc = start;
  localValueDescription* const bottom = frame_.slots.data();
  localValueDescription* top = bottom;  // the first free slot
  for (;;) {
    const localInstruction& instruction = *pc++;
    switch (instruction.op) {
      case localOpcode::pushLiteral:
        *top++ = code_.literals[instruction.a];
        break;
      case localOpcode::pushVariable: {
        const localValueDescription* found = variableValue(instruction.a);
        if (found == nullptr) return fail(instruction);
        *top++ = *found;
        break;
      }
      case localOpcode::pushFresh:
        *top++ = localValueDescription();
        break;
      case localOpcode::pushScanned: {
        localValueDescription& value = *top++;
        value = localValueDescription();
        unsigned position = 0;
        if (!localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state_, code_.nodes[instruction.a]->text,
                                                                        position, value, &context_, false))
          return fail(instruction);
        break;
      }
      case localOpcode::operate:
        --top;
        if (!operate(state_, top[-1], operationOf(instruction), *top)) return fail(instruction);
        break;
      case localOpcode::operateLiteral:
        if (!operate(state_, top[-1], operationOf(instruction), code_.literals[instruction.a]))
          return fail(instruction);
        break;
      case localOpcode::operateVariable: {
        const localValueDescription* right = variableValue(instruction.a);
        if (right == nullptr || !operate(state_, top[-1], operationOf(instruction), *right))
          return fail(instruction);
        break;
      }
      case localOpcode::startChain: {
        const localCode::name& name = code_.variables[instruction.a];
        localValueDescription& value = *top++;
        value = localValueDescription();
        const localValueDescription* variable = context_.varValueAtSite(name.site, name.text);
        if (variable != nullptr && variable->getType() == localValueDescription::typeObject) {
          value.setVal(variable->getObj(), variable->getClassDeclaration());
        } else if (!localNameTerm::startChain(state_, &context_, name.text, code_.calls[instruction.b].afterWord,
                                              value, &name.site)) {
          return fail(instruction);
        }
        break;
      }
      case localOpcode::readAttribute:
        if (!localNameTerm::readAttribute(state_, top[-1], code_.members[instruction.a].upper))
          return fail(instruction);
        break;
      case localOpcode::callFunction:
        if (!callFunction(instruction, top)) return fail(instruction);
        top -= instruction.b;
        break;
      case localOpcode::callMethod:
        if (!callMethod(instruction, top)) return fail(instruction);
        top -= instruction.b;
        break;
      case localOpcode::store: {
        const localCode::name& name = code_.variables[instruction.a];
        context_.varSetValueAtSite(name.site, name.text, std::move(*--top));
        break;
      }
      case localOpcode::update:
      case localOpcode::updateVariable: {
        const localCode::name& name = code_.variables[instruction.a];
        const std::size_t target = context_.varFindAtSite(name.site, name.text);
        if (target == localContextUTF8::npos) {
          state_ = localErrorTypeVARIABLEunknown;
          return fail(instruction);
        }
        const localValueDescription* right = instruction.op == localOpcode::update ? &code_.literals[instruction.b]
                                                                                    : variableValue(instruction.b);
        if (right == nullptr || !operate(state_, context_.varChangeAt(target), operationOf(instruction), *right))
          return fail(instruction);
        break;
      }
      case localOpcode::pop:
        --top;
        break;
      case localOpcode::print:
        (--top)->COUT();
        break;
      case localOpcode::jump:
        pc = start + instruction.a;
        break;
      case localOpcode::jumpUnless:
        if (!(--top)->getBoo()) {
          pc = start + instruction.a;
        } else if (instruction.levels != 0 && localInterruptRequested()) {
          interrupted();
          return fail(instruction, false);
        }
        break;
      case localOpcode::jumpUnlessCompare: {
        const localPossibleBinaryOperation operation = operationOf(instruction);
        const localValueDescription* left = operandValue(code_.operands[instruction.b]);
        if (left == nullptr) return fail(instruction);
        const localValueDescription* right = operandValue(code_.operands[instruction.b + 1]);
        if (right == nullptr) return fail(instruction);
        bool holds = false;
        if (left->getType() == localValueDescription::typeNumber &&
            right->getType() == localValueDescription::typeNumber) {
          holds = localNumberOperation::compare(operation, left->getNum(), right->getNum());
        } else {
          // The truth is all that is read of the result, so it may go into any slot.
          if (!localInterpretatorUTF8::binaryOperationByEnumEvaluate(state_, *top, operation, *left, *right))
            return fail(instruction);
          holds = top->getBoo();
        }
        if (!holds) {
          pc = start + instruction.a;
        } else if (instruction.levels != 0 && localInterruptRequested()) {
          interrupted();
          return fail(instruction, false);
        }
        break;
      }
      case localOpcode::command:
      case localOpcode::scanStatement:
        if (!localOperatorCompiled::executeScanning(state_, &context_, code_.nodes[instruction.a], arguments_,
                                                    result_))
          return fail(instruction);
        break;
      case localOpcode::runNode: {
        const localOperatorCompiled* node = code_.nodes[instruction.a];
        if (!node->executor(state_, &context_, node, arguments_, result_)) return fail(instruction);
        break;
      }
      case localOpcode::traceNone:
        localExecuteTraces::line(L"localCompiledOperatorTypeNONE ", 316);
        if (state_ != localErrorTypeOK) return fail(instruction);
        break;
      case localOpcode::traceReturn:
        localExecuteTraces::line(L"localCompiledOperatorTypeRENURN ", 453);
        if (state_ != localErrorTypeOK) return fail(instruction);
        break;
      case localOpcode::stateCheck:
        if (state_ != localErrorTypeOK) return fail(instruction);
        break;
      case localOpcode::end:
        return state_ == localErrorTypeOK;
    }
  }
}

}  // namespace

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
