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
#include "core/localValueDescription.h"
#include "interp/localExpressionTree.h"

class localNumericEvaluator {
 public:
  // Marks the numeric nodes of a freshly parsed tree and gives a program to the ones
  // worth running fast: the whole expression, and any bracket or operation whose parent
  // is not numeric.
  static void prepare(localExpressionTree& tree);

  localNumericEvaluator(const localExpressionTree& tree, localContextUTF8& context)
      : tree_(tree), context_(context) {}

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

 private:
  bool runProgram(unsigned index, unsigned heldLevels, double& number);
  // An operand step's number; false when it is a variable that is missing or not a number.
  [[gnu::always_inline]] bool operand(const localExpressionTree::numericStep& step, double& number) {
    const localExpressionTree::node& leaf = tree_.nodes_[step.leaf];
    if (leaf.what == localExpressionTree::kind::number) {
      number = leaf.number;
      return true;
    }
    const localValueDescription* value = context_.varValueAtSite(leaf.site, leaf.text);
    if (value == nullptr || value->getType() != localValueDescription::typeNumber) return false;
    number = value->getNum();
    return true;
  }
  // True when the result of the node at index may be set into a bare value as it stands.
  bool startsBare(unsigned index);
  static void setResult(localValueDescription& value, bool truth, double number);

  const localExpressionTree& tree_;
  localContextUTF8& context_;
};
