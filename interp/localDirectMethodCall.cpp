#include "interp/localDirectMethodCall.h"

#include "core/localNestingGuard.h"
#include "interp/localNameTerm.h"
#include "interp/localNumericEvaluator.h"

using kind = localExpressionTree::kind;

bool localDirectMethodCall::run(const localExpressionTree& tree, unsigned index, localContextUTF8& context,
                                localReturnStateType& state, localValueDescription& value, unsigned heldLevels,
                                bool& taken) {
  const node& call = tree.nodes_[index];
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

// True when the call (and every call among its arguments) runs on an object whose member
// only reads its arguments, and every numeric argument has its number. heldLevels: the
// expression levels the evaluator would hold above the call.
bool localDirectMethodCall::ready(const node& call, unsigned heldLevels) {
  node::directCache& cache = call.direct;
  const localValueDescription& object = *cache.object;
  const localClassDeclaration* declaration = object.getClassDeclaration();
  if (object.getType() != localValueDescription::typeObject || declaration == nullptr) return false;
  cache.member = declaration->getMember(call.upper, &call.memberSite);
  if (cache.member == nullptr || !cache.member->readsArgumentsOnly || cache.member->execFunction == nullptr)
    return false;
  if (!cache.computed) return true;
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    const unsigned index = call.arguments[i];
    switch (nodes_[index].what) {
      case kind::number:
      case kind::string:
      case kind::variable:
        break;
      case kind::chain: {
        // Resolved with this call, unless the evaluator made it on its own since (in
        // another context, say).
        const node& inner = nodes_[index];
        if (inner.direct.generation != context_.generation() && !resolve(inner)) return false;
        if (!ready(inner, heldLevels + 1)) return false;
        break;
      }
      default:
        // The evaluator runs the program inside the argument's own level.
        if (!localNumericEvaluator(tree_, context_).run(index, heldLevels + 1, cache.numbers[i])) return false;
        break;
    }
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
  if (!direct.ready(call, 0) || !cache.member->pure) return false;
  localValueDescription& result = cache.result;
  result = localValueDescription();
  result.setVal(cache.object->getObj(), cache.object->getClassDeclaration());
  direct.computeArguments(call);
  if (!localClassDeclaration::runMethod(state, *cache.member, cache.object->getObj(), call.upper, &cache.view,
                                        result) ||
      state != localErrorTypeOK || result.getType() != localValueDescription::typeNumber)
    return false;
  number = result.getNum();
  return true;
}

// The numeric arguments into their slots, as the evaluator leaves them (ready computed
// their numbers). A call has none when it is an operand.
void localDirectMethodCall::computeArguments(const node& call) {
  node::directCache& cache = call.direct;
  for (std::size_t i = 0; cache.computed && i < call.arguments.size(); ++i) {
    const unsigned index = call.arguments[i];
    const kind what = nodes_[index].what;
    if (what == kind::number || what == kind::string || what == kind::variable) continue;
    localValueDescription& slot = cache.slots[i];
    slot = localValueDescription();
    localNumericEvaluator(tree_, context_).store(index, cache.numbers[i], slot);
  }
}

bool localDirectMethodCall::execute(const node& call, localValueDescription& value) {
  node::directCache& cache = call.direct;
  // The object first, as the evaluator takes it before the arguments.
  value.setVal(cache.object->getObj(), cache.object->getClassDeclaration());
  for (std::size_t i = 0; cache.computed && i < call.arguments.size(); ++i) {
    const unsigned index = call.arguments[i];
    const node& argument = nodes_[index];
    if (argument.what == kind::number || argument.what == kind::string || argument.what == kind::variable) continue;
    localValueDescription& slot = cache.slots[i];
    slot = localValueDescription();
    if (argument.what != kind::chain) {
      localNumericEvaluator(tree_, context_).store(index, cache.numbers[i], slot);
    } else if (!execute(argument, slot)) {
      return false;
    }
  }
  state_ = localErrorTypeOK;
  return localNameTerm::callMember(state_, value, *cache.member, call.upper, &cache.view, call.termStart) &&
         state_ == localErrorTypeOK;
}
