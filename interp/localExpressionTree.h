#pragma once
// An expression parsed once into an immutable tree. Evaluating the tree does what the
// scanning evaluator does with the same text: operands in the same order, operators
// applied at the same points of the precedence rule, the same nesting accounting
// (the whole expression, every bracket and every argument count one level) and the same
// pieces for names, members and calls (localNameTerm), so messages, states and trace
// lines are the same. Texts the tree does not take (any syntax error, names starting
// with no word character) give no tree: their nodes keep scanning.
#include <memory>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"
#include "interp/localInterpretatorUTF8.h"

class localExpressionTree {
 public:
  // text is what the scanner would be handed, read from position 0.
  static std::shared_ptr<const localExpressionTree> parse(const std::wstring& text);

  // result is written only on success, as the scanner does.
  bool evaluate(localReturnStateType& state, localContextUTF8* context, localValueDescription& result) const;
  // Evaluates and stores the value into the variable name (created when missing), found
  // through site; nothing is stored when the evaluation fails. As with the scanner's
  // store, `name <op> rest` works on the variable in place (`s = s + t` appends).
  bool evaluateAndStore(localReturnStateType& state, localContextUTF8& context, std::wstring_view name,
                        localNameSite& site) const;

  // The differential switch: when set, compiled nodes scan their texts instead of using
  // their trees. Starts from the environment (LOCALINTERP_SCAN_ONLY=1); tests set it.
  static bool scanOnly() { return scanOnly_; }
  static void setScanOnly(bool on) { scanOnly_ = on; }

  enum class kind : unsigned char { number, string, variable, chain, call, bracket, binary };

  struct node {
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
  };

 private:
  static bool scanOnlyFromEnvironment();
  static inline bool scanOnly_ = scanOnlyFromEnvironment();

  friend class localExpressionTreeParser;
  friend class localExpressionTreeEvaluator;
  std::vector<node> nodes_;
  unsigned root_ = 0;
};
