#pragma once
// An expression parsed once into an immutable tree. Evaluating the tree does what the
// scanning evaluator does with the same text: operands in the same order, operators
// applied at the same points of the precedence rule, the same nesting accounting
// (the whole expression, every bracket and every argument count one level) and the same
// pieces for names, members and calls (localNameTerm), so messages, states and trace
// lines are the same. Texts the tree does not take (any syntax error, names starting
// with no word character) give no tree: their nodes keep scanning.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localClassDeclaration.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"
#include "interp/localInterpretatorUTF8.h"

class localExpressionTree {
 public:
  // Its quick form points into its own nodes: a tree is built in place and never copied.
  localExpressionTree() = default;
  localExpressionTree(const localExpressionTree&) = delete;
  localExpressionTree& operator=(const localExpressionTree&) = delete;

  // text is what the scanner would be handed, read from position 0.
  static std::shared_ptr<const localExpressionTree> parse(const std::wstring& text);

  // result is written only on success, as the scanner does.
  bool evaluate(localReturnStateType& state, localContextUTF8* context, localValueDescription& result) const;
  // The same into a fresh value (the number 0), without a copy; after a failure value may
  // hold part of the work.
  bool evaluateFresh(localReturnStateType& state, localContextUTF8* context, localValueDescription& value) const;
  // True when the whole expression may take the fast way.
  bool numeric() const { return nodes_[root_].stepCount > 0; }
  // True when the whole expression is `name()` for a name the evaluator does not answer
  // itself: a call statement, which runs a compiled function without the general way's
  // dispatch (runBareCall).
  bool bareCall() const { return bareCall_; }
  // What evaluateFresh does for such a call when the name is a compiled function; false
  // in taken, with nothing done, otherwise.
  bool runBareCall(localReturnStateType& state, localContextUTF8& context, localValueDescription& value,
                   bool& taken) const;
  // True when the whole expression is `name + operand` with a string literal or a plain
  // variable as the operand: a store of it into name may append in place (appendInPlace).
  bool appendForm() const { return appendForm_; }
  // evaluateAndStore for such a store when name and the operand hold strings: the text is
  // appended to the variable itself. False in taken, with nothing done, when the general
  // way must run; a string grown past its bound (or Ctrl-C) fails as concatenation does.
  bool appendInPlace(localReturnStateType& state, localContextUTF8& context, std::wstring_view name,
                     localNameSite& site, bool& taken) const;
  // True when the whole expression is a method call that may run directly
  // (localDirectMethodCall).
  bool directMethodCall() const { return nodes_[root_].directMethod; }
  // That call into value (fresh), as evaluateFresh would make it; false in taken, with
  // nothing done, when the general way must run.
  bool runDirectMethodCall(localReturnStateType& state, localContextUTF8& context, localValueDescription& value,
                           bool& taken) const;
  // Evaluates and stores the value into the variable name (created when missing), found
  // through site; nothing is stored when the evaluation fails. As with the scanner's
  // store, `name <op> rest` works on the variable in place (`s = s + t` appends).
  bool evaluateAndStore(localReturnStateType& state, localContextUTF8& context, std::wstring_view name,
                        localNameSite& site) const;

  // The differential switch: when set, compiled nodes scan their texts instead of using
  // their trees. Starts from the environment (LOCALINTERP_SCAN_ONLY=1); tests set it.
  static bool scanOnly() { return scanOnly_; }
  static void setScanOnly(bool on) { scanOnly_ = on; }

  struct node;
  // One step of a numeric program (postfix): an operand step names its leaf (a number,
  // a variable or a call node), an operator step its operation.
  struct numericStep {
    localPossibleBinaryOperation operation = localPossibleBinaryOperationNONE;  // NONE: operand
    unsigned leaf = 0;
  };
  using numericStepList = std::vector<numericStep>;
  // The same programs with each operator folded into the operand step before it when that
  // is a leaf (`a b c * +` runs as: load a, load b, times c, plus the top): what the
  // longer programs run.
  struct numericCode {
    enum class form : unsigned char {
      loadConstant, loadVariable, loadCall, withConstant, withVariable, withCall, withTop
    };
    form what = form::loadConstant;
    localPossibleBinaryOperation operation = localPossibleBinaryOperationNONE;
    double number = 0.0;                 // a constant operand
    const node* leaf = nullptr;          // a variable or call operand
    // A variable operand's value, valid while its program's node says resolvedAt.
    mutable const localValueDescription* value = nullptr;
  };

  enum class kind : unsigned char { number, string, variable, chain, call, bracket, binary };
  // The most arguments a call may have to run as a direct method call.
  static constexpr std::size_t directMethodArguments = 8;

  struct node {
    // A literal or a plain variable: an operand read where it stands.
    bool readInPlace() const { return what == kind::number || what == kind::string || what == kind::variable; }
    // chain: `variable.METHOD(arguments)` with one to directMethodArguments arguments.
    bool methodOnVariable() const {
      return what == kind::chain && isCall && attributes.empty() && !arguments.empty() &&
             arguments.size() <= directMethodArguments;
    }

    kind what = kind::number;
    localPossibleBinaryOperation operation = localPossibleBinaryOperationNONE;
    unsigned left = 0;   // binary: the left operand; bracket: the inner expression
    unsigned right = 0;  // binary: the right operand
    unsigned termStart = 0;      // where a name term begins (call failure line)
    unsigned afterWord = 0;      // right after a chain's first word (chain failure lines)
    unsigned closePosition = 0;  // where a call's ")" stands
    bool isCall = false;         // chain: ends with a method call
    double number = 0.0;
    localValueDescription literal;  // number and string literals as a fresh value holds them
    std::wstring text;   // string literal; the word as written for names
    std::wstring upper;  // a method's upper-cased name
    // Where the name found its record last time (the tree is shared but is only ever
    // run by one thread: the console's).
    mutable localNameSite site;
    mutable localMemberSite memberSite;  // chain: the member its method call found last
    std::vector<std::wstring> attributes;  // chain: upper-cased attribute names in order
    std::vector<unsigned> arguments;       // call: one expression per argument
    bool plainArguments = false;           // call: every argument a literal or a plain variable
    // chain: a method call on the chain's variable itself whose arguments are literals,
    // plain variables, numeric subtrees with a program or, one level down, such calls with
    // arguments of the first three kinds (localDirectMethodCall); methodLevels is the
    // deepest expression nesting its arguments reach.
    bool directMethod = false;
    bool innerCalls = false;  // directMethod: some argument is such a call itself
    unsigned methodLevels = 0;
    // directMethod: what the call resolved at one context generation (see
    // localDirectMethodCall); records stay where they are until the generation moves.
    struct directCache {
      std::uint64_t generation = 0;  // 0: nothing resolved
      bool computed = false;         // some argument is computed into its slot
      const localValueDescription* object = nullptr;  // the chain's variable
      const localClassDeclaration::classMember* member = nullptr;  // found at the last call
      localValueList view;  // literals and variables in place, computed arguments in slots
      std::vector<localValueDescription> slots;
      double numbers[directMethodArguments] = {};  // numeric arguments of the call in progress
      localValueDescription result;  // the last result computed as an operand of a program
    };
    mutable directCache direct;
    // Numeric subtrees: only number literals, plain variables, brackets and arithmetic or
    // comparison, no comparison inside another operation. They have no side effects, so
    // they may be run first as a program on plain doubles (localNumericEvaluator) and, on
    // anything unusual, again the general way.
    bool numeric = false;
    bool truth = false;        // numeric: the value is a comparison's truth
    // numeric: the subtree holds a method call with plain arguments, an operand that may
    // be computed first when its member changes nothing (localDirectMethodCall::number).
    bool hasCall = false;
    unsigned levels = 0;       // expression levels the general way takes below this node
    unsigned leftmost = 0;     // the leaf the general way starts this node's value from
    unsigned stackNeeded = 0;  // numeric: operands held at once while running it
    unsigned firstStep = 0;    // the node's program in numericSteps_, when stepCount > 0
    unsigned stepCount = 0;
    unsigned firstCode = 0;    // the same program in numericCode_
    unsigned codeCount = 0;
    // The context generation at which the program's variable operands were last looked up
    // (their values stay where they are until the generation moves); 0 for never.
    mutable std::uint64_t resolvedAt = 0;
  };

 private:
  static bool scanOnlyFromEnvironment();
  static inline bool scanOnly_ = scanOnlyFromEnvironment();

  friend class localExpressionTreeParser;
  friend class localExpressionTreeEvaluator;
  friend class localNumericEvaluator;
  friend class localNumericLoop;
  friend class localDirectMethodCall;
  std::vector<node> nodes_;
  unsigned root_ = 0;
  // Postfix programs of the numeric nodes worth running fast: an operand step names its
  // leaf (a number or a variable node), an operator step its operation.
  numericStepList numericSteps_;
  std::vector<numericCode> numericCode_;
  // The whole expression when it is a numeric leaf or one operator on two numeric leaves
  // (brackets around them aside), the usual shapes of loop conditions and counters: the
  // statements run it inline (localNumericEvaluator::wholeNumber, storeWhole).
  struct quickForm {
    unsigned operands = 0;  // 1 or 2; 0 when the whole expression has another shape
    localPossibleBinaryOperation operation = localPossibleBinaryOperationNONE;
    bool truth = false;        // the value is a comparison's truth
    bool leftVariable = false;  // `name <op> leaf`: a store into name changes it in place
    unsigned levels = 0;       // expression levels it holds, the whole expression's own included
    const node* first = nullptr;
    const node* second = nullptr;
  };
  quickForm quick_;
  bool bareCall_ = false;
  bool appendForm_ = false;
};
