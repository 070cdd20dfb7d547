#include "interp/localDirectMethodCall.h"

#include "core/localNestingGuard.h"
#include "interp/localNameTerm.h"
#include "interp/localNumericEvaluator.h"

using kind = localExpressionTree::kind;

bool localDirectMethodCall::run(const localExpressionTree& tree, const node& call, localContextUTF8& context,
                                localReturnStateType& state, localValueDescription& value, unsigned heldLevels,
                                bool& taken) {
  if (!localNestingGuard::roomFor(localNestingKind::expression, heldLevels + call.methodLevels)) return false;
  localDirectMethodCall direct(tree, context, state);
  if (call.direct.generation != context.generation() && !direct.resolve(call)) return false;
  if (!direct.ready(call, heldLevels)) return false;
  taken = true;
  return direct.execute(call, value);
}

// Looks up the variables of the call and of the calls among its arguments; false when one
// is missing.
bool localDirectMethodCall::resolve(const node& call) {
  node::directCache& cache = call.direct;
  cache.object = context_.varValueAtSite(call.site, call.text);
  if (cache.object == nullptr) return false;
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    const node& argument = nodes_[call.arguments[i]];
    const localValueDescription* in = &cache.slots[i];
    switch (argument.what) {
      case kind::number:
      case kind::string:
        in = &argument.literal;
        break;
      case kind::variable:
        in = context_.varValueAtSite(argument.site, argument.text);
        if (in == nullptr) return false;
        break;
      case kind::chain:
        if (!resolve(argument)) return false;
        break;
      default:
        break;
    }
    cache.view[i] = const_cast<localValueDescription*>(in);  // the member only reads it
  }
  cache.generation = context_.generation();
  return true;
}

// The member the call runs when it may run directly: the variable holds an object whose
// member only reads its arguments; null otherwise.
[[gnu::always_inline]] inline const localDirectMethodCall::member* localDirectMethodCall::memberFor(
    const node& call) {
  const localValueDescription& object = *call.direct.object;
  const localClassDeclaration* declaration = object.getClassDeclaration();
  if (object.getType() != localValueDescription::typeObject || declaration == nullptr) return nullptr;
  const member* found = declaration->getMember(call.upper, &call.memberSite);
  return found != nullptr && found->readsArgumentsOnly && found->execFunction != nullptr ? found : nullptr;
}

// The numbers of the numeric arguments of a call whose arguments hold no call. heldLevels:
// the expression levels the evaluator would hold above the call.
[[gnu::always_inline]] inline bool localDirectMethodCall::computeNumbers(const node& call, unsigned heldLevels) {
  node::directCache& cache = call.direct;
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    const unsigned index = call.arguments[i];
    // The evaluator runs the program inside the argument's own level.
    if (!nodes_[index].readInPlace() &&
        !localNumericEvaluator(tree_, context_).run(index, heldLevels + 1, cache.numbers[i]))
      return false;
  }
  return true;
}

// Those arguments into their slots, as the evaluator leaves them.
[[gnu::always_inline]] inline void localDirectMethodCall::storeNumbers(const node& call) {
  node::directCache& cache = call.direct;
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    const unsigned index = call.arguments[i];
    if (nodes_[index].readInPlace()) continue;
    localValueDescription& slot = cache.slots[i];
    slot = localValueDescription();
    localNumericEvaluator(tree_, context_).store(index, cache.numbers[i], slot);
  }
}

// True when the call, and every call among its arguments, may run directly; the numeric
// arguments then hold their numbers.
bool localDirectMethodCall::ready(const node& call, unsigned heldLevels) {
  node::directCache& cache = call.direct;
  cache.member = memberFor(call);
  if (cache.member == nullptr) return false;
  if (!cache.computed) return true;
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    const unsigned index = call.arguments[i];
    const node& argument = nodes_[index];
    if (argument.readInPlace()) continue;
    if (argument.what != kind::chain) {
      if (!localNumericEvaluator(tree_, context_).run(index, heldLevels + 1, cache.numbers[i])) return false;
      continue;
    }
    // Resolved with this call, unless the evaluator made it on its own since (in another
    // context, say).
    if (argument.direct.generation != context_.generation() && !resolve(argument)) return false;
    argument.direct.member = memberFor(argument);
    if (argument.direct.member == nullptr) return false;
    if (argument.direct.computed && !computeNumbers(argument, heldLevels + 1)) return false;
  }
  return true;
}

bool localDirectMethodCall::number(const localExpressionTree& tree, const node& call, localContextUTF8& context,
                                   double& number) {
  if (!call.directMethod) return false;
  node::directCache& cache = call.direct;
  localReturnStateType state = localErrorTypeOK;
  localDirectMethodCall direct(tree, context, state);
  if (cache.generation != context.generation() && !direct.resolve(call)) return false;
  // The program checked the nesting room for the whole of it, arguments included.
  cache.member = direct.memberFor(call);
  if (cache.member == nullptr || !cache.member->pure || (cache.computed && !direct.computeNumbers(call, 0)))
    return false;
  localValueDescription& result = cache.result;
  result = localValueDescription();
  result.setVal(cache.object->getObj(), cache.object->getClassDeclaration());
  if (cache.computed) direct.storeNumbers(call);
  if (!localClassDeclaration::runMethod(state, *cache.member, cache.object->getObj(), call.upper, &cache.view,
                                        result) ||
      state != localErrorTypeOK || result.getType() != localValueDescription::typeNumber)
    return false;
  number = result.getNum();
  return true;
}

// The member's run once the arguments are in place; its failure lines are the evaluator's.
[[gnu::always_inline]] inline bool localDirectMethodCall::finish(const node& call, localValueDescription& value) {
  state_ = localErrorTypeOK;
  return localNameTerm::callMember(state_, value, *call.direct.member, call.upper, &call.direct.view,
                                   call.termStart) &&
         state_ == localErrorTypeOK;
}

// A call whose arguments hold no call, made into value (fresh) once ready.
[[gnu::always_inline]] inline bool localDirectMethodCall::callOn(const node& call, localValueDescription& value) {
  node::directCache& cache = call.direct;
  // The object first, as the evaluator takes it before the arguments.
  value.setVal(cache.object->getObj(), cache.object->getClassDeclaration());
  if (cache.computed) storeNumbers(call);
  return finish(call, value);
}

bool localDirectMethodCall::execute(const node& call, localValueDescription& value) {
  node::directCache& cache = call.direct;
  if (!cache.computed || !call.innerCalls) return callOn(call, value);
  value.setVal(cache.object->getObj(), cache.object->getClassDeclaration());
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    const unsigned index = call.arguments[i];
    const node& argument = nodes_[index];
    if (argument.readInPlace()) continue;
    localValueDescription& slot = cache.slots[i];
    slot = localValueDescription();
    if (argument.what != kind::chain) {
      localNumericEvaluator(tree_, context_).store(index, cache.numbers[i], slot);
    } else if (!callOn(argument, slot)) {
      return false;
    }
  }
  return finish(call, value);
}
