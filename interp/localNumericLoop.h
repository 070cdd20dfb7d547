#pragma once
// A loop whose condition and statements are all numeric expressions of the usual shapes
// (a leaf, one operator on two leaves; see localExpressionTree::quickForm), each statement
// storing into a variable that exists: `s = s + i; i = i + 1;` under `i <= n`. Such a loop
// is resolved against the variables once, when it starts, and then runs pass after pass
// on the values themselves.
//
// Running it this way does exactly what the statements do one by one. Everything they
// would check at every pass is settled when the loop is prepared and cannot change while
// it runs: no variable is added or removed (the stores go into existing ones), the
// nesting depth is the same, every operand variable holds a number, and the stores only
// ever write numbers (a statement whose value is a comparison's truth does not qualify).
// What can happen at a pass, a division by zero, ends the run before the statement it
// occurs in; the caller carries on from there the usual way, which reports it.
#include <array>
#include <cstddef>
#include <string_view>

#include "context/localContextUTF8.h"
#include "core/localValueDescription.h"
#include "interp/localExpressionTree.h"

class localNumericLoop {
 public:
  // One statement: the tree of its expression and the variable it stores into.
  struct statementSource {
    const localExpressionTree* tree = nullptr;
    std::wstring_view name;
    localNameSite* site = nullptr;
  };

  // Loops with more statements than this run the usual way.
  static constexpr std::size_t maximumStatements = 8;

  // False when the loop does not qualify with the variables as they are now.
  bool prepare(localContextUTF8& context, const localExpressionTree& condition, const statementSource* statements,
               std::size_t count);

  // Where a run ended.
  struct outcome {
    bool finished = false;         // the condition no longer holds: the loop is over
    bool interrupted = false;      // Ctrl-C was asked for at the start of a pass
    std::size_t next = 0;          // otherwise: the statement of the current pass to run next the usual way
    bool beforeCondition = false;  // ...or the condition, when it could not be computed
  };
  [[gnu::noinline]] outcome run(localContextUTF8& context);

 private:
  // An operation on two operands (or one operand when second is null), each a value that
  // holds a number throughout the run. Left unset until prepare() fills them: a loop that
  // does not qualify pays nothing for them.
  struct computation {
    const localValueDescription* first;
    const localValueDescription* second;
    localPossibleBinaryOperation operation;
  };
  struct statement {
    computation value;
    localValueDescription* target;
  };

  static bool prepareComputation(localContextUTF8& context, const localExpressionTree& tree, computation& made);
  [[gnu::always_inline]] static bool compute(const computation& made, double& number);

  computation condition_;
  std::array<statement, maximumStatements> statements_;
  std::size_t count_ = 0;
};
