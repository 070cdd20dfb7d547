#pragma once
// A method call on the object a variable holds, `t.GETVALUE(i + 1, 2)`, made without the
// tree evaluator's general dispatch (see localExpressionTree::node::directMethod). It is
// taken only when the evaluator would take its own in-place way for the call: the
// variable holds an object whose member only reads its arguments, every argument is a
// literal, an existing variable, a numeric subtree whose program succeeds or such a call
// one level down, and the nesting bound has room. All of that is checked before anything
// runs; the calls then run as the evaluator runs them, with the same argument values, the
// same member and the same failure lines.
//
// The variables a call reads are looked up once per context generation and kept in the
// call's node: records stay where they are until the generation moves, and no member that
// only reads its arguments can add or remove one.
#include "context/localContextUTF8.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"
#include "interp/localExpressionTree.h"

class localDirectMethodCall {
 public:
  // The call (a node of tree) into value (fresh), as the evaluator's term would make it
  // while holding heldLevels more expression levels than now; false in taken, with nothing
  // done, when the general way must run.
  static bool run(const localExpressionTree& tree, const localExpressionTree::node& call, localContextUTF8& context,
                  localReturnStateType& state, localValueDescription& value, unsigned heldLevels, bool& taken);

  // The number a call that is an operand of a numeric program gives (node::hasCall): made
  // only when its member changes nothing (pure), so that giving up afterwards leaves
  // nothing done. Its result stays in the node for localNumericEvaluator::store. False
  // when the call fails or gives no number; the general way then makes it again and
  // reports what it reports.
  static bool number(const localExpressionTree& tree, const localExpressionTree::node& call, localContextUTF8& context,
                     double& number);

 private:
  using node = localExpressionTree::node;

  localDirectMethodCall(const localExpressionTree& tree, localContextUTF8& context, localReturnStateType& state)
      : tree_(tree), nodes_(tree.nodes_), context_(context), state_(state) {}

  using member = localClassDeclaration::classMember;

  bool resolve(const node& call);
  bool ready(const node& call, unsigned heldLevels);
  bool execute(const node& call, localValueDescription& value);
  const member* memberFor(const node& call);
  bool computeNumbers(const node& call, unsigned heldLevels);
  void storeNumbers(const node& call);
  bool callOn(const node& call, localValueDescription& value);
  bool finish(const node& call, localValueDescription& value);

  const localExpressionTree& tree_;
  const std::vector<node>& nodes_;
  localContextUTF8& context_;
  localReturnStateType& state_;
};
