// Evaluates an expression tree. Operands are computed into fresh values in the order the
// scanner reads them and each binary node is applied where the scanner would reduce it,
// so results (all fields of the value), side effects and failures are the scanner's.
#include <memory>
#include <vector>

#include "core/localNestingGuard.h"
#include "core/localStringLimit.h"
#include "interp/localDirectMethodCall.h"
#include "interp/localExpressionShared.h"
#include "interp/localInterpTraceLines.h"
#include "interp/localExpressionTree.h"
#include "interp/localNameTerm.h"
#include "interp/localNumericEvaluator.h"
#include "interp/localPostponedLeft.h"

namespace {

// Argument values of the calls in progress, one frame per nesting level of calls; a
// frame keeps its storage when released, so calls do not allocate once warmed up.
struct argumentFrame {
  std::vector<localValueDescription> values;
  localValueList view;
};

class argumentFrames {
 public:
  argumentFrame& acquire() {
    if (depth_ == frames_.size()) frames_.push_back(std::make_unique<argumentFrame>());
    return *frames_[depth_++];
  }
  void release() { --depth_; }

 private:
  std::vector<std::unique_ptr<argumentFrame>> frames_;
  std::size_t depth_ = 0;
};

argumentFrames frames;

// Holds one frame for the lifetime of a call's evaluation. The list gets one pointer per
// argument; values are sized only by calls that copy arguments into them, and keep what
// the last call left in them: each argument overwrites its own slot.
class frameLease {
 public:
  explicit frameLease(std::size_t count) : frame(frames.acquire()) {
    if (frame.view.size() != count) frame.view.resize(count);
  }
  ~frameLease() { frames.release(); }
  frameLease(const frameLease&) = delete;
  frameLease& operator=(const frameLease&) = delete;
  std::vector<localValueDescription>& values() {
    if (frame.values.size() != frame.view.size()) frame.values.resize(frame.view.size());
    return frame.values;
  }
  argumentFrame& frame;
};

}  // namespace

class localExpressionTreeEvaluator {
 public:
  localExpressionTreeEvaluator(const localExpressionTree& tree, localReturnStateType& state,
                               localContextUTF8* context)
      : tree_(tree), nodes_(tree.nodes_), state_(state), context_(context) {}

  // An expression of its own: the whole text, a bracket's inside, an argument.
  bool expression(unsigned index, localValueDescription& value) {
    localNestingGuard guard(localNestingKind::expression);
    if (!localExpressionShared::enter(guard, state_)) return false;
    return term(index, value);
  }

  // The whole expression, stored into the variable at target. When the expression is
  // `target <op> rest`, the variable is read without a copy (see postponedLeft) and,
  // when nothing changed a variable meanwhile, the operation works on it in place.
  // stored tells whether that happened; otherwise value holds the result to store.
  bool expressionInto(unsigned index, std::size_t target, localValueDescription& value, bool& stored) {
    stored = false;
    localNestingGuard guard(localNestingKind::expression);
    if (!localExpressionShared::enter(guard, state_)) return false;
    const node& root = nodes_[index];
    if (target == localContextUTF8::npos || root.what != kind::binary ||
        nodes_[root.left].what != kind::variable ||
        context_->varFindAtSite(nodes_[root.left].site, nodes_[root.left].text) != target)
      return term(index, value);
    postponedLeft left(context_);
    state_ = localErrorTypeOK;  // the left operand is read
    if (!left.begin(target)) return term(index, value);
    localValueDescription computed;
    const localValueDescription* right = rightOperand(root.right, computed);
    if (right == nullptr) return false;
    localValueDescription* variable = left.end();
    if (variable != nullptr) {
      stored = true;
      return localInterpretatorUTF8::binaryOperationByEnumEvaluate(state_, *variable, root.operation, *variable, *right);
    }
    value = std::move(left.held());
    return localInterpretatorUTF8::binaryOperationByEnumEvaluate(state_, value, root.operation, value, *right);
  }

 private:
  using kind = localExpressionTree::kind;
  using node = localExpressionTree::node;

  // value is fresh (the number 0) on entry, as the scanner's operand slots are.
  bool term(unsigned index, localValueDescription& value) {
    const node& current = nodes_[index];
    if (current.stepCount > 0 && context_ != nullptr) {
      localNumericEvaluator numbers(tree_, *context_);
      double number = 0.0;
      if (numbers.run(index, 0, number)) {
        numbers.store(index, number, value);
        state_ = localErrorTypeOK;
        return true;
      }
    }
    if (current.what == kind::binary) {
      if (!term(current.left, value)) return false;
      localValueDescription computed;
      const localValueDescription* right = rightOperand(current.right, computed);
      return right != nullptr &&
             localInterpretatorUTF8::binaryOperationByEnumEvaluate(state_, value, current.operation, value, *right);
    }
    state_ = localErrorTypeOK;
    if (!operand(current, value)) return false;
    // A name term may succeed and still leave another state (PI with arguments).
    return state_ == localErrorTypeOK;
  }

  // The right operand of an operation, or null with the state set when it fails. A
  // literal or a plain variable is only read by the operation: it is used where it stands
  // instead of being copied first; anything else is computed into computed (fresh).
  const localValueDescription* rightOperand(unsigned index, localValueDescription& computed) {
    const node& current = nodes_[index];
    if (current.readInPlace()) return inPlace(current);
    return term(index, computed) ? &computed : nullptr;
  }

  // The value of a literal or plain variable operand as it stands, leaving the state as
  // reading the operand would; null (with the state set) for a missing variable.
  const localValueDescription* inPlace(const node& current) {
    state_ = localErrorTypeOK;
    if (current.what != kind::variable) return &current.literal;
    if (context_ != nullptr) {
      if (const localValueDescription* found = context_->varValueAtSite(current.site, current.text)) return found;
    }
    return localNameTerm::findValue(state_, context_, current.text, &current.site);
  }

  bool operand(const node& current, localValueDescription& value) {
    switch (current.what) {
      case kind::number:
        value.setVal(current.number);
        return true;
      case kind::string:
        value.setVal(current.text);
        return true;
      case kind::variable:
        return localNameTerm::readVariable(state_, context_, current.text, value, &current.site);
      case kind::bracket:
        return expression(current.left, value);
      case kind::call:
        return call(current, value, localNameTerm::callee{current.text, nullptr, &current.site});
      case kind::chain:
        if (current.directMethod && context_ != nullptr) {
          bool taken = false;
          const bool called = localDirectMethodCall::run(tree_, current, *context_, state_, value, 0, taken);
          if (taken) return called;
        }
        if (!startChain(current, value)) return false;
        for (const std::wstring& attribute : current.attributes) {
          if (!localNameTerm::readAttribute(state_, value, attribute)) return false;
        }
        if (!current.isCall) return true;
        return call(current, value, localNameTerm::callee{current.upper, &current.upper, nullptr, &current.memberSite});
      case kind::binary:
        break;
    }
    return false;
  }

  // One argument into its slot. A literal or a plain variable is copied straight in: as an
  // expression of its own it would only take its one level and copy the same value.
  // Anything else is evaluated as an expression of its own into a fresh slot.
  bool argument(unsigned index, localValueDescription& slot) {
    const node& current = nodes_[index];
    if (current.readInPlace() && localNestingGuard::roomFor(localNestingKind::expression, 1)) {
      const localValueDescription* source = inPlace(current);
      if (source == nullptr) return false;
      slot = *source;
      return true;
    }
    slot = localValueDescription();
    return expression(index, slot);
  }

  // The object the chain's variable holds goes into value. The variable is read in place;
  // a missing or non-object variable takes the general way, which reports it.
  bool startChain(const node& current, localValueDescription& value) {
    const localValueDescription* variable =
        context_ != nullptr ? context_->varValueAtSite(current.site, current.text) : nullptr;
    if (variable == nullptr || variable->getType() != localValueDescription::typeObject)
      return localNameTerm::startChain(state_, context_, current.text, current.afterWord, value, &current.site);
    value.setVal(variable->getObj(), variable->getClassDeclaration());
    return true;
  }

  // The member a method call at current would run on the object value holds (null when
  // there is none, or when it is no plain call on the chain's variable). Looking it up
  // changes nothing but the site's memory.
  static const localClassDeclaration::classMember* methodAhead(const node& current, const localValueDescription& value) {
    const localClassDeclaration* declaration = value.getClassDeclaration();
    if (!current.isCall || !current.attributes.empty() || value.getType() != localValueDescription::typeObject ||
        declaration == nullptr)
      return nullptr;
    return declaration->getMember(current.upper, &current.memberSite);
  }

  // The member with a method function that a method call would run on the object value
  // holds, or null when the call must take the general way (which reports any failure).
  static const localClassDeclaration::classMember* methodOf(const localValueDescription& value,
                                                            const localNameTerm::callee& target) {
    const localClassDeclaration* declaration = value.getClassDeclaration();
    if (value.getType() != localValueDescription::typeObject || declaration == nullptr) return nullptr;
    const localClassDeclaration::classMember* member = declaration->getMember(*target.method, target.memberSite);
    return member != nullptr && member->execFunction != nullptr ? member : nullptr;
  }

  // A string literal, or a numeric subtree without calls.
  static bool plainOperand(const node& current) {
    return (current.numeric && !current.hasCall) || current.what == kind::string;
  }

  // True when evaluating the argument at index can change or create no variable: a
  // string literal, a numeric subtree, or a method call with such arguments whose member
  // (found now, as the call would find it) changes no variable.
  bool harmless(unsigned index) {
    const node& current = nodes_[index];
    if (plainOperand(current)) return true;
    if (current.what != kind::chain || context_ == nullptr) return false;
    for (const unsigned argument : current.arguments) {
      if (!plainOperand(nodes_[argument])) return false;
    }
    const localValueDescription* variable = context_->varValueAtSite(current.site, current.text);
    if (variable == nullptr) return false;
    const localClassDeclaration::classMember* member = methodAhead(current, *variable);
    return member != nullptr && member->readsArgumentsOnly;
  }

  // True when evaluating every argument of the call at current changes or creates no
  // variable. Judged before any of them runs, and none of them can make it untrue.
  bool harmlessArguments(const node& current) {
    if (current.plainArguments) return true;
    for (const unsigned argument : current.arguments) {
      if (!harmless(argument)) return false;
    }
    return true;
  }

  // A method call on a member that only reads its arguments, when evaluating them can
  // change or create no variable: a literal or plain variable is handed over where it
  // stands, anything else is evaluated into a slot. Nothing they do changes a class's
  // members, so the member found before them is the one to run.
  bool callReadingInPlace(const node& current, localValueDescription& value,
                          const localClassDeclaration::classMember& member, const localNameTerm::callee& target) {
    const std::size_t count = current.arguments.size();
    frameLease lease(count);
    localValueList& view = lease.frame.view;
    for (std::size_t i = 0; i < count; ++i) {
      const unsigned index = current.arguments[i];
      const node& argument = nodes_[index];
      // Each argument takes its one level while it is read; without room it fails as an
      // expression of its own.
      if (argument.readInPlace() && localNestingGuard::roomFor(localNestingKind::expression, 1)) {
        const localValueDescription* source = inPlace(argument);
        if (source == nullptr) return false;
        view[i] = const_cast<localValueDescription*>(source);  // the method only reads it
        continue;
      }
      localValueDescription& slot = lease.values()[i];
      slot = localValueDescription();
      if (!expression(index, slot)) return false;
      view[i] = &slot;
    }
    return localNameTerm::callMember(state_, value, member, *target.method, &view, current.termStart);
  }

  bool call(const node& current, localValueDescription& value, const localNameTerm::callee& target) {
    if (current.arguments.empty()) {
      // An empty list of its own; no frame is needed.
      localValueList none;
      return localNameTerm::call(state_, context_, value, target, &none, current.closePosition, current.termStart);
    }
    // A method that only reads its arguments may read literals and plain variables where
    // they stand, as long as no argument can change a variable before the call.
    const localClassDeclaration::classMember* member = target.method != nullptr ? methodAhead(current, value) : nullptr;
    if (member != nullptr && member->readsArgumentsOnly && member->execFunction != nullptr &&
        harmlessArguments(current))
      return callReadingInPlace(current, value, *member, target);
    return callCopying(current, value, target);
  }

  // The general call: every argument is copied into a slot before the next one runs.
  bool callCopying(const node& current, localValueDescription& value, const localNameTerm::callee& target) {
    frameLease lease(current.arguments.size());
    std::vector<localValueDescription>& values = lease.values();
    localValueList& view = lease.frame.view;
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (!argument(current.arguments[i], values[i])) return false;
      view[i] = &values[i];
    }
    // The member is found again: the arguments may have changed what a site remembers.
    if (const localClassDeclaration::classMember* found = target.method != nullptr ? methodOf(value, target) : nullptr)
      return localNameTerm::callMember(state_, value, *found, *target.method, &view, current.termStart);
    return localNameTerm::call(state_, context_, value, target, &view, current.closePosition, current.termStart);
  }

  const localExpressionTree& tree_;
  const std::vector<localExpressionTree::node>& nodes_;
  localReturnStateType& state_;
  localContextUTF8* context_;
};

bool localExpressionTree::evaluateAndStore(localReturnStateType& state, localContextUTF8& context,
                                           std::wstring_view name, localNameSite& site) const {
  if (numeric() && localNumericEvaluator::storeWhole(*this, context, name, site)) {
    state = localErrorTypeOK;
    return true;
  }
  localValueDescription value;
  bool stored = false;
  localExpressionTreeEvaluator evaluator(*this, state, &context);
  if (!evaluator.expressionInto(root_, context.varFindAtSite(site, name), value, stored)) return false;
  if (!stored) context.varSetValueAtSite(site, name, std::move(value));
  return true;
}

bool localExpressionTree::appendInPlace(localReturnStateType& state, localContextUTF8& context, std::wstring_view name,
                                        localNameSite& site, bool& taken) const {
  const node& root = nodes_[root_];
  const node& left = nodes_[root.left];
  const node& right = nodes_[root.right];
  const std::size_t target = context.varFindAtSite(site, name);
  if (target == localContextUTF8::npos || context.varFindAtSite(left.site, left.text) != target) return false;
  const localValueDescription* operand =
      right.what == kind::string ? &right.literal : context.varValueAtSite(right.site, right.text);
  const localValueDescription& text = context.varValueAt(target);
  // The whole expression's own level, as the general way takes it.
  if (operand == nullptr || text.getType() != localValueDescription::typeString ||
      operand->getType() != localValueDescription::typeString ||
      !localNestingGuard::roomFor(localNestingKind::expression, 1))
    return false;
  taken = true;
  // What concatenation checks before it builds the string.
  if (!localStringMayGrowTo(state, text.getStrRef().size() + operand->getStrRef().size(),
                            "binaryOperationByEnumEvaluate", localInterpTraceLine::concatenationTooLong))
    return false;
  // The operand may be the variable itself: appending a string to itself is defined.
  context.varChangeAt(target).appendStr(operand->getStrRef());
  state = localErrorTypeOK;
  return true;
}

bool localExpressionTree::runDirectMethodCall(localReturnStateType& state, localContextUTF8& context,
                                              localValueDescription& value, bool& taken) const {
  // The whole expression's own level is held above the call.
  return localDirectMethodCall::run(*this, nodes_[root_], context, state, value, 1, taken);
}

bool localExpressionTree::runBareCall(localReturnStateType& state, localContextUTF8& context,
                                      localValueDescription& value, bool& taken) const {
  const node& call = nodes_[root_];
  const localOperatorCompiled* body = context.funcCompiledAt(context.funcFindAtSite(call.site, call.text));
  taken = body != nullptr;
  if (!taken) return false;
  // The level the whole expression holds, as the general way takes it around the call.
  localNestingGuard guard(localNestingKind::expression);
  if (!localExpressionShared::enter(guard, state)) return false;
  return localNameTerm::callCompiledFunction(state, context, value, call.text, *body, call.termStart);
}

bool localExpressionTree::evaluateFresh(localReturnStateType& state, localContextUTF8* context,
                                        localValueDescription& value) const {
  if (context != nullptr) {
    localNumericEvaluator numbers(*this, *context);
    double number = 0.0;
    if (numbers.run(root_, 1, number)) {
      numbers.replace(root_, number, value);
      state = localErrorTypeOK;
      return true;
    }
  }
  localExpressionTreeEvaluator evaluator(*this, state, context);
  return evaluator.expression(root_, value) && state == localErrorTypeOK;
}

bool localExpressionTree::evaluate(localReturnStateType& state, localContextUTF8* context,
                                   localValueDescription& result) const {
  localValueDescription value;
  if (!evaluateFresh(state, context, value)) return false;
  result = std::move(value);
  return true;
}
