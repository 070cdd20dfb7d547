#include "interp/localNumericEvaluator.h"

#include <algorithm>

#include "interp/localDirectMethodCall.h"

namespace {

using kind = localExpressionTree::kind;
using node = localExpressionTree::node;

// Operands held at once by a program; deeper right-nested texts take the general way.
constexpr unsigned stackSize = 16;

bool isComparison(localPossibleBinaryOperation operation) {
  return operation >= localPossibleBinaryOperationEQUAL && operation <= localPossibleBinaryOperationLESS;
}

bool isArithmetic(localPossibleBinaryOperation operation) {
  return operation >= localPossibleBinaryOperationMINUS && operation <= localPossibleBinaryOperationMULTIPLY;
}

// The expression levels a method call on a chain's variable takes below itself when it may
// be a numeric operand (localNumericEvaluator::argumentLevels for every argument); 0 for
// any other chain.
unsigned callOperandLevels(const std::vector<node>& nodes, const node& call) {
  if (!call.methodOnVariable()) return 0;
  unsigned levels = 0;
  for (const unsigned index : call.arguments) {
    const unsigned needed = localNumericEvaluator::argumentLevels(nodes[index]);
    if (needed == 0) return 0;
    levels = std::max(levels, needed);
  }
  return levels;
}

// Children come before their parents in the node list, so one pass in order sees every
// child's facts before its parent's.
void mark(std::vector<node>& nodes) {
  for (unsigned index = 0; index < nodes.size(); ++index) {
    node& made = nodes[index];
    made.leftmost = index;
    switch (made.what) {
      case kind::number:
      case kind::variable:
        made.numeric = true;
        made.stackNeeded = 1;
        break;
      case kind::chain:
        made.levels = callOperandLevels(nodes, made);
        made.numeric = made.levels > 0;
        made.hasCall = made.numeric;
        made.stackNeeded = 1;
        break;
      case kind::bracket: {
        const node& inner = nodes[made.left];
        made.numeric = inner.numeric;
        made.hasCall = inner.hasCall;
        made.truth = inner.truth;
        made.levels = 1 + inner.levels;
        made.leftmost = inner.leftmost;
        made.stackNeeded = inner.stackNeeded;
        break;
      }
      case kind::binary: {
        const node& left = nodes[made.left];
        const node& right = nodes[made.right];
        // A truth value as an operand is a failure the general way reports.
        made.numeric = left.numeric && right.numeric && !left.truth && !right.truth &&
                       (isComparison(made.operation) || isArithmetic(made.operation));
        made.hasCall = left.hasCall || right.hasCall;
        made.truth = isComparison(made.operation);
        made.levels = std::max(left.levels, right.levels);
        made.leftmost = left.leftmost;
        made.stackNeeded = std::max(left.stackNeeded, right.stackNeeded + 1);
        break;
      }
      default:
        break;
    }
  }
}

class programWriter {
 public:
  explicit programWriter(localExpressionTree::numericStepList& steps, std::vector<node>& nodes)
      : steps_(steps), nodes_(nodes) {}

  // Gives index a program when it is numeric, otherwise looks for numeric parts below.
  void visit(unsigned index, bool whole) {
    node& current = nodes_[index];
    // A call alone is left to the direct method call (localDirectMethodCall::run).
    const bool worthIt =
        (whole && current.what != kind::chain) || current.what == kind::binary || current.what == kind::bracket;
    if (current.numeric && worthIt && current.stackNeeded <= stackSize) {
      current.firstStep = static_cast<unsigned>(steps_.size());
      std::vector<unsigned> calls;
      emit(index, calls);
      current.stepCount = static_cast<unsigned>(steps_.size()) - current.firstStep;
      // The arguments of its calls get programs of their own, after it.
      for (const unsigned call : calls) {
        for (const unsigned argument : nodes_[call].arguments) visit(argument, false);
      }
      return;
    }
    switch (current.what) {
      case kind::binary:
        visit(current.left, false);
        visit(current.right, false);
        break;
      case kind::bracket:
        visit(current.left, false);
        break;
      case kind::call:
      case kind::chain:
        for (const unsigned argument : current.arguments) visit(argument, false);
        break;
      default:
        break;
    }
  }

 private:
  void emit(unsigned index, std::vector<unsigned>& calls) {
    const node& current = nodes_[index];
    switch (current.what) {
      case kind::bracket:
        emit(current.left, calls);
        return;
      case kind::binary:
        emit(current.left, calls);
        emit(current.right, calls);
        steps_.push_back({current.operation, 0});
        return;
      case kind::chain:
        calls.push_back(index);
        [[fallthrough]];
      default:
        steps_.push_back({localPossibleBinaryOperationNONE, index});
        return;
    }
  }

  localExpressionTree::numericStepList& steps_;
  std::vector<node>& nodes_;
};

// Folds each operator into the leaf operand step just before it, for every program.
void fold(std::vector<node>& nodes, const localExpressionTree::numericStepList& allSteps,
          std::vector<localExpressionTree::numericCode>& folded) {
  using code = localExpressionTree::numericCode;
  for (node& program : nodes) {
    if (program.stepCount == 0) continue;
    program.firstCode = static_cast<unsigned>(folded.size());
    const localExpressionTree::numericStep* const steps = allSteps.data() + program.firstStep;
    for (unsigned i = 0; i < program.stepCount; ++i) {
      const localExpressionTree::numericStep& step = steps[i];
      code made;
      if (step.operation != localPossibleBinaryOperationNONE) {
        made.what = code::form::withTop;
        made.operation = step.operation;
      } else {
        const bool folds = i + 1 < program.stepCount && steps[i + 1].operation != localPossibleBinaryOperationNONE;
        if (folds) made.operation = steps[++i].operation;
        // The nodes stay where they are from here on, so the code may point at them.
        made.leaf = &nodes[step.leaf];
        if (made.leaf->what == kind::number) {
          made.what = folds ? code::form::withConstant : code::form::loadConstant;
          made.number = made.leaf->number;
        } else if (made.leaf->what == kind::chain) {
          made.what = folds ? code::form::withCall : code::form::loadCall;
        } else {
          made.what = folds ? code::form::withVariable : code::form::loadVariable;
        }
      }
      folded.push_back(made);
    }
    program.codeCount = static_cast<unsigned>(folded.size()) - program.firstCode;
  }
}

}  // namespace

unsigned localNumericEvaluator::argumentLevels(const node& argument) {
  if (argument.readInPlace()) return 1;
  // A numeric operation without calls, which gets a program of its own.
  const bool computed = argument.numeric && !argument.hasCall &&
                        (argument.what == kind::binary || argument.what == kind::bracket) &&
                        argument.stackNeeded <= stackSize;
  return computed ? 1 + argument.levels : 0;
}

void localNumericEvaluator::prepare(localExpressionTree& tree) {
  mark(tree.nodes_);
  programWriter(tree.numericSteps_, tree.nodes_).visit(tree.root_, true);
  fold(tree.nodes_, tree.numericSteps_, tree.numericCode_);
  const node& whole = tree.nodes_[tree.root_];
  const localExpressionTree::numericStep* const steps = tree.numericSteps_.data() + whole.firstStep;
  localExpressionTree::quickForm& quick = tree.quick_;
  if ((whole.stepCount == 1 || whole.stepCount == 3) && !whole.hasCall) {
    quick.operands = whole.stepCount == 1 ? 1 : 2;
    quick.truth = whole.truth;
    quick.levels = 1 + whole.levels;
    quick.first = &tree.nodes_[steps[0].leaf];
    if (whole.stepCount == 3) {
      quick.second = &tree.nodes_[steps[1].leaf];
      quick.operation = steps[2].operation;
      quick.leftVariable = whole.what == kind::binary && tree.nodes_[whole.left].what == kind::variable;
    }
  }
}

bool localNumericEvaluator::runProgram(unsigned index, unsigned heldLevels, double& number) {
  const node& whole = tree_.nodes_[index];
  if (!localNestingGuard::roomFor(localNestingKind::expression, heldLevels + whole.levels)) return false;
  const localExpressionTree::numericStep* step = tree_.numericSteps_.data() + whole.firstStep;
  // The usual shapes, a leaf and one operator on two leaves, without the operand stack.
  if (whole.stepCount == 1 && !whole.hasCall) return operand(step[0], number);
  if (whole.stepCount == 3 && !whole.hasCall) {
    double right = 0.0;
    return operand(step[0], number) && operand(step[1], right) && apply(step[2].operation, number, right);
  }
  using code = localExpressionTree::numericCode;
  const code* instruction = tree_.numericCode_.data() + whole.firstCode;
  const code* const end = instruction + whole.codeCount;
  // Longer programs look their variables up once per generation of the context, not at
  // every operand.
  if (whole.resolvedAt != context_.generation()) {
    for (const code* operand = instruction; operand != end; ++operand) {
      if (operand->what != code::form::loadVariable && operand->what != code::form::withVariable) continue;
      operand->value = context_.varValueAtSite(operand->leaf->site, operand->leaf->text);
      if (operand->value == nullptr) return false;
    }
    whole.resolvedAt = context_.generation();
  }
  double stack[stackSize];
  unsigned top = 0;
  for (; instruction != end; ++instruction) {
    double right = 0.0;
    switch (instruction->what) {
      case code::form::loadConstant:
        stack[top++] = instruction->number;
        continue;
      case code::form::loadVariable:
        if (instruction->value->getType() != localValueDescription::typeNumber) return false;
        stack[top++] = instruction->value->getNum();
        continue;
      case code::form::withConstant:
        right = instruction->number;
        break;
      case code::form::withVariable:
        if (instruction->value->getType() != localValueDescription::typeNumber) return false;
        right = instruction->value->getNum();
        break;
      case code::form::loadCall:
        if (!localDirectMethodCall::number(tree_, *instruction->leaf, context_, right)) return false;
        stack[top++] = right;
        continue;
      case code::form::withCall:
        if (!localDirectMethodCall::number(tree_, *instruction->leaf, context_, right)) return false;
        break;
      case code::form::withTop:
        right = stack[--top];
        break;
    }
    if (!apply(instruction->operation, stack[top - 1], right)) return false;
  }
  number = stack[0];
  return true;
}

void localNumericEvaluator::store(unsigned index, double number, localValueDescription& value) {
  const node& whole = tree_.nodes_[index];
  const node& leaf = tree_.nodes_[whole.leftmost];
  // run() found the variable, or made the call, a moment ago, with nothing changed since.
  if (leaf.what == kind::variable) value = *context_.varValueAtSite(leaf.site, leaf.text);
  if (leaf.what == kind::chain) value = leaf.direct.result;
  setResult(value, whole.truth, number);
}

bool localNumericEvaluator::startsBare(unsigned index) {
  const node& leaf = tree_.nodes_[tree_.nodes_[index].leftmost];
  if (leaf.what == kind::chain) return leaf.direct.result.isBare();
  return leaf.what != kind::variable || context_.varValueAtSite(leaf.site, leaf.text)->isBare();
}

void localNumericEvaluator::replace(unsigned index, double number, localValueDescription& value) {
  if (value.isBare() && startsBare(index)) {
    setResult(value, tree_.nodes_[index].truth, number);
    return;
  }
  localValueDescription fresh;
  store(index, number, fresh);
  value = std::move(fresh);
}

void localNumericEvaluator::storeInto(unsigned index, double number, std::size_t target, std::wstring_view name,
                                      localNameSite& site) {
  const node& whole = tree_.nodes_[index];
  if (target != localContextUTF8::npos && whole.what == kind::binary) {
    const node& left = tree_.nodes_[whole.left];
    if (left.what == kind::variable && context_.varFindAtSite(left.site, left.text) == target) {
      setResult(context_.varChangeAt(target), whole.truth, number);
      return;
    }
  }
  if (target != localContextUTF8::npos) {
    replace(index, number, context_.varChangeAt(target));
    return;
  }
  localValueDescription value;
  store(index, number, value);
  context_.varSetValueAtSite(site, name, std::move(value));
}
