#pragma once
// The fast way through a numeric subtree (see localExpressionTree::node::numeric): a
// postfix program reads the operands straight from the variables as doubles and combines
// them in the order and at the points the general way does, so the result is the same
// number. Anything the general way would report (a missing variable, an operand that is
// not a number, a division by zero, nesting past its bound) makes the fast way give up
// with nothing changed; the caller then runs the general way, which reports it.
#include <cstddef>
#include <string_view>
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localNestingGuard.h"
#include "core/localValueDescription.h"
#include "interp/localExpressionTree.h"

class localNumericEvaluator {
 public:
  // Marks the numeric nodes of a freshly parsed tree and gives a program to the ones
  // worth running fast: the whole expression, and any bracket or operation whose parent
  // is not numeric.
  static void prepare(localExpressionTree& tree);

  // The expression levels an argument of a method call takes when it is read in place (1)
  // or computed by a numeric program without calls (1 and the levels below it); 0 for any
  // other argument. The numeric marks must be set.
  static unsigned argumentLevels(const localExpressionTree::node& argument);

  localNumericEvaluator(const localExpressionTree& tree, localContextUTF8& context) : tree_(tree), context_(context) {}

  // The whole expression's number (see run); its usual shapes inline, for loop conditions.
  [[gnu::always_inline]] static bool wholeNumber(const localExpressionTree& tree, localContextUTF8& context,
                                                 double& number) {
    if (tree.quick_.operands == 0) return localNumericEvaluator(tree, context).run(tree.root_, 1, number);
    return runQuick(tree.quick_, context, number);
  }
  // Stores the whole expression's number into the variable name (made when missing) as
  // localExpressionTree::evaluateAndStore would; false, with nothing changed, when the
  // general way must run. Its usual shapes inline, for assignments in loops.
  [[gnu::always_inline]] static bool storeWhole(const localExpressionTree& tree, localContextUTF8& context,
                                                std::wstring_view name, localNameSite& site) {
    const localExpressionTree::quickForm& quick = tree.quick_;
    double number = 0.0;
    if (quick.operands == 0) {
      if (!localNumericEvaluator(tree, context).run(tree.root_, 1, number)) return false;
    } else if (!runQuick(quick, context, number)) {
      return false;
    }
    const std::size_t target = context.varFindAtSite(site, name);
    // `name <op> leaf` where name was just read from that same record: in place. Its
    // site was looked up a moment ago, with nothing changed since.
    if (quick.leftVariable && target != localContextUTF8::npos && quick.first->site.position == target) {
      setResult(context.varChangeAt(target), quick.truth, number);
      return true;
    }
    localNumericEvaluator(tree, context).storeInto(tree.root_, number, target, name, site);
    return true;
  }

  // The number (1 or 0 for a comparison's truth) of the node at index; false to take the
  // general way. heldLevels are the expression levels the general way would take around
  // the node before reaching it.
  bool run(unsigned index, unsigned heldLevels, double& number) {
    return tree_.nodes_[index].stepCount > 0 && runProgram(index, heldLevels, number);
  }
  // Puts the result where the general way leaves it in a fresh value: a copy of the
  // left-most leaf that takes the result's kind and number.
  void store(unsigned index, double number, localValueDescription& value);
  // Replaces value with that result (as moving a fresh value holding it over value would).
  void replace(unsigned index, double number, localValueDescription& value);
  // Stores the result of the whole expression into the variable name (at target, or made
  // when missing): `target <op> rest` changes the variable in place, as the general way does.
  void storeInto(unsigned index, double number, std::size_t target, std::wstring_view name, localNameSite& site);

  // One operator on two numbers, as the general way applies it; false for a division by zero.
  [[gnu::always_inline]] static bool apply(localPossibleBinaryOperation operation, double& left, double right) {
    switch (operation) {
      case localPossibleBinaryOperationEQUAL:
        left = left == right ? 1.0 : 0.0;
        return true;
      case localPossibleBinaryOperationNOTEQUAL:
        left = !(left == right) ? 1.0 : 0.0;
        return true;
      case localPossibleBinaryOperationGREATEROREQUAL:
        left = left >= right ? 1.0 : 0.0;
        return true;
      case localPossibleBinaryOperationGREATER:
        left = left > right ? 1.0 : 0.0;
        return true;
      case localPossibleBinaryOperationLESSOREQUAL:
        left = left <= right ? 1.0 : 0.0;
        return true;
      case localPossibleBinaryOperationLESS:
        left = left < right ? 1.0 : 0.0;
        return true;
      case localPossibleBinaryOperationMINUS:
        left = left - right;
        return true;
      case localPossibleBinaryOperationPLUS:
        left = left + right;
        return true;
      case localPossibleBinaryOperationMULTIPLY:
        left = left * right;
        return true;
      case localPossibleBinaryOperationDIVIDE:
        if (right == 0.0) return false;
        left = left / right;
        return true;
      default:
        return false;
    }
  }

  // The value a leaf reads: a number literal's own value, or a variable's value when it
  // holds a number; null when the fast way must give up on the leaf.
  [[gnu::always_inline]] static const localValueDescription* leafValue(const localExpressionTree::node& leaf,
                                                                       localContextUTF8& context) {
    if (leaf.what == localExpressionTree::kind::number) return &leaf.literal;
    const localValueDescription* value = context.varValueAtSite(leaf.site, leaf.text);
    return value != nullptr && value->getType() == localValueDescription::typeNumber ? value : nullptr;
  }

 private:
  bool runProgram(unsigned index, unsigned heldLevels, double& number);
  [[gnu::always_inline]] static bool runQuick(const localExpressionTree::quickForm& quick, localContextUTF8& context,
                                              double& number) {
    if (!localNestingGuard::roomFor(localNestingKind::expression, quick.levels)) return false;
    if (!leafNumber(*quick.first, context, number)) return false;
    if (quick.operands == 1) return true;
    double right = 0.0;
    return leafNumber(*quick.second, context, right) && apply(quick.operation, number, right);
  }
  // A leaf's number; false when it is a variable that is missing or not a number.
  [[gnu::always_inline]] static bool leafNumber(const localExpressionTree::node& leaf, localContextUTF8& context,
                                                double& number) {
    const localValueDescription* value = leafValue(leaf, context);
    if (value == nullptr) return false;
    number = value->getNum();
    return true;
  }
  [[gnu::always_inline]] bool operand(const localExpressionTree::numericStep& step, double& number) {
    return leafNumber(tree_.nodes_[step.leaf], context_, number);
  }
  // True when the result of the node at index may be set into a bare value as it stands.
  bool startsBare(unsigned index);
  static void setResult(localValueDescription& value, bool truth, double number) {
    if (truth) {
      value.setBoo(number > 0);
    } else {
      value.setVal(number);
    }
  }

  const localExpressionTree& tree_;
  localContextUTF8& context_;
};
