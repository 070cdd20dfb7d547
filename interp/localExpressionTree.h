#pragma once
// An expression parsed once into an immutable tree. The tree records what the scanning
// evaluator reads: operands in the order it reads them, each binary node where its
// operator stack reduces, and the positions its failure lines show, so the program engine
// compiles the tree into code that does what scanning the same text does. Texts the tree
// does not take (any syntax error, names starting with no word character, nesting past a
// modest depth) give no tree: their nodes keep scanning.
#include <memory>
#include <string>
#include <vector>

#include "core/localValueDescription.h"
#include "interp/localInterpretatorUTF8.h"

class localExpressionTree {
 public:
  enum class kind : unsigned char { number, string, variable, chain, call, bracket, binary };

  struct node {
    kind what = kind::number;
    localPossibleBinaryOperation operation = localPossibleBinaryOperationNONE;
    unsigned left = 0;   // binary: the left operand; bracket: the inner expression
    unsigned right = 0;  // binary: the right operand
    // Where the node stands in the text: a literal's or a variable's first character, a
    // bracket's "(", a binary node's operator, a call's or a chain's name term.
    unsigned at = 0;
    unsigned termStart = 0;      // where a name term begins (call failure line)
    unsigned afterWord = 0;      // right after a chain's first word (chain failure lines)
    unsigned closePosition = 0;  // where a call's ")" stands
    bool isCall = false;         // chain: ends with a method call
    localValueDescription literal;  // number and string literals as a fresh value holds them
    std::wstring text;   // the word as written for names
    std::wstring upper;  // a method's upper-cased name
    std::vector<std::wstring> attributes;  // chain: upper-cased attribute names in order
    std::vector<unsigned> attributeAt;     // chain: where each attribute's name stands
    unsigned methodAt = 0;                 // chain: where the method's name stands
    std::vector<unsigned> arguments;       // call: one expression per argument
  };

  // text is what the scanner would be handed, read from position 0.
  static std::shared_ptr<const localExpressionTree> parse(const std::wstring& text);

  // The condition of a FOR loop, (variable<=(last)), made of its parts without reading it
  // again: its places are those of that text, whose variable starts at offset 1 and whose
  // last starts at variable.size() + 4. Null when last has no tree.
  static std::shared_ptr<const localExpressionTree> loopCondition(const std::wstring& variable,
                                                                  const localExpressionTree* last);

  // Where the operand of index begins in the text (a binary node's is its left operand's).
  unsigned startOf(unsigned index) const;

  const std::vector<node>& nodes() const { return nodes_; }
  unsigned root() const { return root_; }

 private:
  friend class localExpressionTreeParser;
  std::vector<node> nodes_;
  unsigned root_ = 0;
};
