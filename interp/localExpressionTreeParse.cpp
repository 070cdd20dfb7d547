// Builds an expression tree by reading the text exactly as the scanning evaluator does
// (the same token scanners, the same operator stack), recording operands and reductions
// instead of computing them. Any text the scanner would reject gives no tree.
#include <algorithm>
#include <cstdlib>

#include "interp/localExpressionTree.h"
#include "text/localString.h"

class localExpressionTreeParser {
 public:
  explicit localExpressionTreeParser(const std::wstring& text) : text_(text) {}

  std::shared_ptr<const localExpressionTree> run() {
    auto tree = std::make_shared<localExpressionTree>();
    tree_ = tree.get();
    unsigned position = 0;
    if (!expression(position, tree->root_)) return nullptr;
    return tree;
  }

 private:
  using kind = localExpressionTree::kind;
  using node = localExpressionTree::node;

  unsigned add(node&& made) {
    tree_->nodes_.push_back(std::move(made));
    return static_cast<unsigned>(tree_->nodes_.size() - 1);
  }

  // The operator stack of the scanner, holding node indices in place of values.
  bool expression(unsigned& position, unsigned& result) {
    // Deep nesting is rare and recursion here would only repeat the scanner's own
    // bound: past a modest depth the text stays with the scanner.
    if (depth_ >= maximumDepth) return false;
    ++depth_;
    const bool ok = expressionBody(position, result);
    --depth_;
    return ok;
  }

  bool expressionBody(unsigned& position, unsigned& result) {
    std::vector<unsigned> operands;
    std::vector<pendingOperator> operators;
    localInterpretatorUTF8::scanStringSkipVoidChars(text_, position);
    operands.push_back(0);
    if (!operand(position, operands.back())) return false;
    for (;;) {
      const localPossibleBinaryOperation operation =
          localInterpretatorUTF8::scanStringGetBinaryOperation(text_, position);
      if (operation == localPossibleBinaryOperationNONE) break;
      const unsigned operatorAt = localInterpretatorUTF8::binaryOperationStart(position, operation);
      while (!operators.empty() && operators.back().operation >= operation) reduce(operands, operators);
      operands.push_back(0);
      if (!operand(position, operands.back())) return false;
      operators.push_back({operation, operatorAt});
    }
    while (!operators.empty()) reduce(operands, operators);
    result = operands.front();
    return true;
  }

  struct pendingOperator {
    localPossibleBinaryOperation operation;
    unsigned at;
  };

  void reduce(std::vector<unsigned>& operands, std::vector<pendingOperator>& operators) {
    node made;
    made.what = kind::binary;
    made.operation = operators.back().operation;
    made.at = operators.back().at;
    made.right = operands.back();
    operands.pop_back();
    made.left = operands.back();
    operands.back() = add(std::move(made));
    operators.pop_back();
  }

  bool operand(unsigned& position, unsigned& result) {
    localInterpretatorUTF8::scanStringSkipVoidChars(text_, position);
    if (position >= text_.size()) return false;
    const wchar_t current = text_[position];
    node made;
    made.at = position;
    if (current < 0x20 || current > 0x3F) return nameTerm(position, result);
    if (current == L'(') {
      ++position;
      made.what = kind::bracket;
      if (!expression(position, made.left)) return false;
      localInterpretatorUTF8::scanStringSkipVoidChars(text_, position);
      if (position >= text_.size() || text_[position] != L')') return false;
      ++position;
    } else if (current == L'"' || current == L'\'') {
      localValueDescription literal;
      if (!localInterpretatorUTF8::scanStringGetStringTokenAndEvaluete(text_, position, literal)) return false;
      made.what = kind::string;
      made.literal = literal;
    } else if ((current >= L'0' && current <= L'9') || current == L'.') {
      localValueDescription literal;
      localInterpretatorUTF8::scanStringGetNumberTokenAndEvaluete(text_, position, literal);
      made.what = kind::number;
      made.literal = literal;
    } else {
      return false;
    }
    result = add(std::move(made));
    return true;
  }

  bool nameTerm(unsigned& position, unsigned& result) {
    localInterpretatorUTF8::scanStringSkipVoidChars(text_, position);
    node made;
    made.termStart = position;
    made.at = position;
    made.text = localInterpretatorUTF8::scanStringGetWordToken(text_, position);
    if (made.text.empty()) return false;  // a character no word starts with: left to the scanner
    made.what = kind::variable;
    if (localString::charAt(text_, position) == L'.') {
      made.what = kind::chain;
      made.afterWord = position;
      while (localString::charAt(text_, position) == L'.') {
        ++position;
        const unsigned nameAt = position;
        std::wstring name =
            localString::wstringToUpper(localInterpretatorUTF8::scanStringGetWordToken(text_, position));
        if (localString::charAt(text_, position) == L'(') {
          made.upper = std::move(name);
          made.methodAt = nameAt;
          made.isCall = true;
          break;
        }
        made.attributes.push_back(std::move(name));
        made.attributeAt.push_back(nameAt);
      }
      if (made.isCall && !argumentList(position, made)) return false;
    } else if (localString::charAt(text_, position) == L'(') {
      made.what = kind::call;
      if (!argumentList(position, made)) return false;
    }
    result = add(std::move(made));
    return true;
  }

  // The "(" at position, the arguments as the scanner reads them (commas between
  // arguments may be left out), and the ")".
  bool argumentList(unsigned& position, node& made) {
    ++position;
    bool argumentRead = false;
    bool commaPending = false;
    for (;;) {
      if (position >= text_.size()) return false;
      localInterpretatorUTF8::scanStringSkipVoidChars(text_, position);
      const wchar_t current = localString::charAt(text_, position);
      if (current == L')') {
        if (commaPending) return false;
        break;
      }
      if (argumentRead && !commaPending && current == L',') {
        ++position;
        commaPending = true;
        continue;
      }
      const unsigned argumentStart = position;
      unsigned argument = 0;
      if (!expression(position, argument) || position == argumentStart) return false;
      made.arguments.push_back(argument);
      argumentRead = true;
      commaPending = false;
    }
    made.closePosition = position;
    ++position;
    return true;
  }

  static constexpr unsigned maximumDepth = 200;
  const std::wstring& text_;
  localExpressionTree* tree_ = nullptr;
  unsigned depth_ = 0;
};

std::shared_ptr<const localExpressionTree> localExpressionTree::parse(const std::wstring& text) {
  return localExpressionTreeParser(text).run();
}

std::shared_ptr<const localExpressionTree> localExpressionTree::loopCondition(const std::wstring& variable,
                                                                              const localExpressionTree* last) {
  if (last == nullptr || variable.empty()) return nullptr;
  auto tree = std::make_shared<localExpressionTree>();
  const unsigned shift = static_cast<unsigned>(variable.size()) + 4;  // "(" variable "<=("
  tree->nodes_ = last->nodes_;
  // Every place a part of that kind has moves with it; the others stay 0, as parsing leaves them.
  for (node& part : tree->nodes_) {
    part.at += shift;
    const bool name = part.what == kind::variable || part.what == kind::call || part.what == kind::chain;
    const bool call = part.what == kind::call || (part.what == kind::chain && part.isCall);
    if (name) part.termStart += shift;
    if (part.what == kind::chain) part.afterWord += shift;
    if (call) part.closePosition += shift;
    if (part.what == kind::chain && part.isCall) part.methodAt += shift;
    for (unsigned& at : part.attributeAt) at += shift;
  }
  const auto add = [&tree](node&& made) {
    tree->nodes_.push_back(std::move(made));
    return static_cast<unsigned>(tree->nodes_.size() - 1);
  };
  node bound;
  bound.what = kind::bracket;
  bound.at = shift - 1;
  bound.left = last->root_;
  node counter;
  counter.what = kind::variable;
  counter.at = 1;
  counter.termStart = 1;
  counter.text = variable;
  node compare;
  compare.what = kind::binary;
  compare.operation = localPossibleBinaryOperationLESSOREQUAL;
  compare.at = static_cast<unsigned>(variable.size()) + 1;
  compare.left = add(std::move(counter));
  compare.right = add(std::move(bound));
  node whole;
  whole.what = kind::bracket;
  whole.at = 0;
  whole.left = add(std::move(compare));
  tree->root_ = add(std::move(whole));
  return tree;
}

unsigned localExpressionTree::startOf(unsigned index) const {
  while (nodes_[index].what == kind::binary) index = nodes_[index].left;
  return nodes_[index].at;
}
