#include "interp/localNumericLoop.h"

#include "core/localInterrupt.h"
#include "core/localNestingGuard.h"
#include "interp/localNumericEvaluator.h"

bool localNumericLoop::prepareComputation(localContextUTF8& context, const localExpressionTree& tree,
                                          computation& made) {
  const localExpressionTree::quickForm& quick = tree.quick_;
  // The nesting depth stays as it is while the loop runs: checked once for every pass.
  if (quick.operands == 0 || !localNestingGuard::roomFor(localNestingKind::expression, quick.levels)) return false;
  made.first = localNumericEvaluator::leafValue(*quick.first, context);
  if (made.first == nullptr) return false;
  made.second = nullptr;
  made.operation = quick.operation;
  if (quick.operands == 1) return true;
  made.second = localNumericEvaluator::leafValue(*quick.second, context);
  return made.second != nullptr;
}

bool localNumericLoop::prepare(localContextUTF8& context, const localExpressionTree& condition,
                               const statementSource* statements, std::size_t count) {
  if (count > maximumStatements || !prepareComputation(context, condition, condition_)) return false;
  count_ = count;
  for (std::size_t index = 0; index < count; ++index) {
    const statementSource& source = statements[index];
    const localExpressionTree::quickForm& quick = source.tree->quick_;
    // A truth value stored would be an operand that is not a number on the next pass.
    if (quick.truth || !prepareComputation(context, *source.tree, statements_[index].value)) return false;
    const std::size_t target = context.varFindAtSite(*source.site, source.name);
    if (target == localContextUTF8::npos) return false;  // storing would add a variable
    localValueDescription& value = context.varValueAt(target);
    // `name <op> leaf` changes the variable in place; any other store replaces its value
    // with the result, which leaves only the kind and the number set when both the value
    // and the left-most leaf are bare (see localNumericEvaluator::replace). Stores of
    // numbers keep both bare, so what holds now holds for the whole run.
    const bool inPlace = quick.leftVariable && quick.first->site.position == target;
    if (!inPlace && !(value.isBare() && statements_[index].value.first->isBare())) return false;
    statements_[index].target = &value;
  }
  return true;
}

inline bool localNumericLoop::compute(const computation& made, double& number) {
  number = made.first->getNum();
  return made.second == nullptr || localNumericEvaluator::apply(made.operation, number, made.second->getNum());
}

localNumericLoop::outcome localNumericLoop::run(localContextUTF8& context) {
  outcome ended;
  for (;;) {
    double truth = 0.0;
    if (!compute(condition_, truth)) {
      ended.beforeCondition = true;
      return ended;
    }
    if (!(truth > 0)) {
      ended.finished = true;
      return ended;
    }
    if (localInterruptRequested()) {
      ended.interrupted = true;
      return ended;
    }
    for (std::size_t index = 0; index < count_; ++index) {
      const statement& current = statements_[index];
      double number = 0.0;
      if (!compute(current.value, number)) {
        ended.next = index;
        return ended;
      }
      context.varWillChange();
      current.target->setVal(number);
    }
  }
}
