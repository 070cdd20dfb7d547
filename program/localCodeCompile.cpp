// Compiles a node of the operator tree, with the expression trees its nodes hold, into an
// instruction list. Statements keep the order and the failure lines of the node kinds;
// expressions are laid out in the order the scanner reads their operands (left operand,
// right operand, then the operation), so side effects and failures come in the same order.
#include <algorithm>
#include <utility>

#include "classes/localValueTableCells.h"
#include "context/localBuiltinLibrary.h"
#include "interp/localExpressionTree.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNumberOperation.h"
#include "program/localCode.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

namespace {

using kind = localExpressionTree::kind;
using treeNode = localExpressionTree::node;
using lines = localFailureRow::lines;

// Marks a literal operand while its code is compiled (see placeOperands).
constexpr std::uint32_t literalMark = 0x80000000u;

class localCodeCompiler {
 public:
  explicit localCodeCompiler(localCode& code) : code_(code) {}

  // The node itself runs by its kind (execute was asked to run it, whatever its own
  // executor); the nodes below run through theirs.
  void unit(const localOperatorCompiled& node) {
    code_.source = node.source;
    statement(node, 0, true);
    statementPlace_ = node.place;
    emit(localOpcode::end, none());
    code_.statementAt.assign(code_.instructions.size(), nullptr);
    for (const auto& [at, start] : starts_) code_.statementAt[at] = start;
  }

 private:
  // --- Statements -------------------------------------------------------------------

  // blocks: how many blocks enclose the statement (each reports a failure passing through).
  void statement(const localOperatorCompiled& node, std::uint16_t blocks, bool byKind = false) {
    statementPlace_ = node.place;
    node_ = &node;
    // A block is no statement of its own, and an IF starts at its first condition.
    if (node.kind != localCompiledOperatorTypeBLOCK && node.kind != localCompiledOperatorTypeIF) startsHere(node);
    if (!byKind && node.executor != &localOperatorCompiled::execute) {
      emit(localOpcode::runNode, row(lines::none, blocks), nodeIndex(node));
      return;
    }
    switch (node.kind) {
      case localCompiledOperatorTypeNONE:
        emit(localOpcode::traceNone, row(lines::none, blocks));
        return;
      case localCompiledOperatorTypeRENURN:
        emit(localOpcode::traceReturn, row(lines::none, blocks));
        return;
      case localCompiledOperatorTypeBLOCK:
        block(node, blocks);
        return;
      case localCompiledOperatorTypeCOMMAND:
        emit(localOpcode::command, row(lines::none, blocks), nodeIndex(node));
        return;
      case localCompiledOperatorTypeEXPRESSION:
        assignment(node, !node.name.empty(), row(lines::node, blocks, 353, &node));
        return;
      case localCompiledOperatorTypeASSIGN:
        assignment(node, true, row(lines::node, blocks, 431, &node));
        return;
      case localCompiledOperatorTypePRINT:
        printStatement(node, row(lines::print, blocks, 0, &node));
        return;
      case localCompiledOperatorTypeIF:
        ifStatement(node, blocks);
        return;
      case localCompiledOperatorTypeWHILE:
        whileStatement(node, blocks);
        return;
    }
    // A kind outside the enumeration: the scanning way reports it.
    emit(localOpcode::scanStatement, row(lines::none, blocks), nodeIndex(node));
  }

  void block(const localOperatorCompiled& node, std::uint16_t blocks) {
    const std::uint16_t inside = static_cast<std::uint16_t>(blocks + 1);
    for (const localOperatorCompiled& child : node.children) {
      const std::size_t first = here();
      statement(child, inside);
      if (first < here()) begins(first, child.place);
    }
    statementPlace_ = node.place;
    // A block answers with the state: a statement of ours ends in success, but an empty
    // block or a node with an executor of its own may leave another state.
    if (node.children.empty() || node.children.back().executor != &localOperatorCompiled::execute)
      emit(localOpcode::stateCheck, row(lines::none, blocks));
  }

  void assignment(const localOperatorCompiled& node, bool stores, std::uint32_t failure) {
    if (node.tree == nullptr) {
      emit(localOpcode::scanStatement, row(lines::none, code_.failures[failure].blocks), nodeIndex(node));
      return;
    }
    const localExpressionTree& tree = *node.tree;
    if (stores && update(tree, node.name, failure)) return;
    expression(tree, failure);
    if (stores) {
      emit(localOpcode::store, failure, variable(node.name));
    } else {
      emit(localOpcode::pop, failure);
    }
    pop(1);
  }

  // `x = x op leaf`, with a literal or a variable as the leaf: the variable changes in
  // place. Reading x first and the leaf second, then operating, is what the expression
  // does; a failing operation writes nothing, as a failing expression stores nothing.
  bool update(const localExpressionTree& tree, const std::wstring& target, std::uint32_t failure) {
    const treeNode& root = tree.nodes()[tree.root()];
    if (root.what != kind::binary) return false;
    unsigned depth = 1;
    const treeNode& left = tree.nodes()[root.left];
    const treeNode& right = unwrapped(tree, root.right, depth);
    if (left.what != kind::variable || localString::wstringToUpper(left.text) != localString::wstringToUpper(target))
      return false;
    if (!leafOperand(right)) return false;
    spot where{placeOf(root.at), placeOf(left.at), placeOf(right.at), placeOf(tree.startOf(root.right))};
    emitAt(where, localOpcode::update, failure, variable(target), operand(right), root.operation);
    return true;
  }

  void printStatement(const localOperatorCompiled& node, std::uint32_t failure) {
    if (node.tree == nullptr) {
      emit(localOpcode::scanStatement, row(lines::none, code_.failures[failure].blocks), nodeIndex(node));
      return;
    }
    expression(*node.tree, failure);
    emit(localOpcode::print, failure);
    pop(1);
  }

  void ifStatement(const localOperatorCompiled& node, std::uint16_t blocks) {
    std::vector<std::size_t> toEnd;
    for (std::size_t i = 0; i < node.children.size(); ++i) {
      const localOperatorCompiled& branch = node.children[i];
      std::size_t skip = npos;
      if (!branch.text.empty()) {
        startsHere(i == 0 ? node : branch);
        const std::size_t first = here();
        skip = condition(branch, row(lines::ifCondition, blocks, 0, &branch), false);
        begins(first, branch.place);
      }
      statement(branch, blocks);
      if (skip == npos) break;  // a branch without a condition is always taken
      if (i + 1 < node.children.size()) toEnd.push_back(emit(localOpcode::jump, none()));
      patch(skip);
    }
    for (const std::size_t jump : toEnd) patch(jump);
    if (node.children.empty()) emit(localOpcode::stateCheck, row(lines::none, blocks));
  }

  // A loop whose condition compares two leaves tests it again at the end of the pass and
  // jumps back to the body's start (one instruction a pass instead of a jump and a test);
  // any other loop jumps back to its condition.
  void whileStatement(const localOperatorCompiled& node, std::uint16_t blocks) {
    const std::size_t top = here();
    const std::uint32_t failure = row(lines::whileCondition, blocks, 0, &node);
    const std::size_t exit = condition(node, failure, true);
    begins(top, node.place);
    const std::size_t body = here();
    for (const localOperatorCompiled& child : node.children) statement(child, blocks);
    statementPlace_ = node.place;
    node_ = &node;
    const localInstruction test = code_.instructions[exit];
    if (test.op == localOpcode::jumpUnlessCompare) {
      // The test again, standing where the first one does: a pass begins with it.
      const spot where{code_.places[exit], code_.parts[exit].left, code_.parts[exit].right, {}};
      const std::size_t again = emitAt(where, localOpcode::loopCompare, failure, static_cast<std::uint32_t>(body),
                                       test.b, test.operation);
      code_.instructions[again].levels = test.levels;
      begins(again, node.place);
    } else {
      code_.instructions[emit(localOpcode::jump, none())].a = static_cast<std::uint32_t>(top);
    }
    patch(exit);
  }

  // The condition of node, then a jump taken when it does not hold; returns where that
  // jump is, for its target to be set. A loop's condition checks for Ctrl-C when it holds.
  std::size_t condition(const localOperatorCompiled& node, std::uint32_t failure, bool loop) {
    const std::uint16_t loopFlag = loop ? 1 : 0;
    statementPlace_ = node.place;
    node_ = &node;
    if (node.tree == nullptr) {
      emit(localOpcode::pushScanned, failure, nodeIndex(node));
      push(1);
    } else {
      const localExpressionTree& tree = *node.tree;
      unsigned depth = 1;
      const treeNode& root = unwrapped(tree, tree.root(), depth);
      const bool compares = root.what == kind::binary && localNumberOperation::isComparison(root.operation);
      unsigned leftDepth = depth;
      unsigned rightDepth = depth;
      const treeNode* left = compares ? &unwrapped(tree, root.left, leftDepth) : nullptr;
      const treeNode* right = compares ? &unwrapped(tree, root.right, rightDepth) : nullptr;
      if (compares && leafOperand(*left) && leafOperand(*right)) {
        // Compare two leaves and jump, in one instruction.
        const std::uint32_t first = static_cast<std::uint32_t>(code_.comparisons.size());
        code_.comparisons.push_back(
            {operand(*left), operand(*right), localNumberOperation::outcomesHolding(root.operation)});
        push(1);  // the slot it may compute in
        pop(1);
        const spot where{placeOf(root.at), placeOf(left->at), placeOf(right->at), {}};
        const std::size_t at = emitAt(where, localOpcode::jumpUnlessCompare, failure, 0, first, root.operation);
        code_.instructions[at].levels = loopFlag;
        return at;
      }
      expression(tree, failure);
      // A comparison that ends the expression compares the slots it would write its
      // truth to, and jumps, in one instruction.
      localInstruction& last = code_.instructions.back();
      const auto operation = static_cast<localPossibleBinaryOperation>(last.operation);
      const bool fusable = (last.op == localOpcode::operateWith || last.op == localOpcode::operate) &&
                           last.failure == failure && localNumberOperation::isComparison(operation);
      if (fusable) {
        if (last.op == localOpcode::operateWith) {
          last.op = localOpcode::jumpUnlessWith;
          last.b = std::exchange(last.a, 0);
        } else {
          last.op = localOpcode::jumpUnlessOperate;
        }
        last.levels = loopFlag;
        pop(1);
        return code_.instructions.size() - 1;
      }
    }
    pop(1);
    const std::size_t at = emit(localOpcode::jumpUnless, failure);
    code_.instructions[at].levels = loopFlag;
    return at;
  }

  // The node inside any brackets around index; depth grows by the levels they take.
  const treeNode& unwrapped(const localExpressionTree& tree, unsigned index, unsigned& depth) {
    while (tree.nodes()[index].what == kind::bracket) {
      index = tree.nodes()[index].left;
      ++depth;
    }
    levels(depth);
    return tree.nodes()[index];
  }

  static bool leafOperand(const treeNode& node) {
    return node.what == kind::variable || node.what == kind::number || node.what == kind::string;
  }

  // A leaf as an operand: its variable name's place, or its literal's, marked until
  // placeOperands knows where the literals begin.
  std::uint32_t operand(const treeNode& node) {
    if (node.what == kind::variable) return variable(node.text);
    code_.literals.push_back(node.literal);
    return literalMark | static_cast<std::uint32_t>(code_.literals.size() - 1);
  }

  // --- Expressions ------------------------------------------------------------------

  // The whole expression's value into a new slot on top.
  void expression(const localExpressionTree& tree, std::uint32_t failure) {
    value(tree, tree.root(), 1, failure);
  }

  // depth: the expression levels the scanner holds while it reads this operand (the whole
  // expression is 1; a bracket and each argument add one).
  void value(const localExpressionTree& tree, unsigned index, unsigned depth, std::uint32_t failure) {
    levels(depth);
    const treeNode& node = tree.nodes()[index];
    switch (node.what) {
      case kind::number:
      case kind::string:
      case kind::variable:
        emitAt(only(placeOf(node.at)), localOpcode::push, failure, operand(node));
        push(1);
        return;
      case kind::bracket:
        value(tree, node.left, depth + 1, failure);
        return;
      case kind::binary:
        binary(tree, node, depth, failure);
        return;
      case kind::call:
        if (numericCall(tree, node, depth, failure)) return;
        emitAt(only(placeOf(node.at)), localOpcode::pushFresh, failure);
        push(1);
        arguments(tree, node, depth, failure);
        callInstruction(localOpcode::callFunction, node, function(node.text), depth, failure, node.at);
        return;
      case kind::chain:
        if (node.attributes.empty() && node.isCall && tableCall(tree, node, depth, failure)) return;
        emitAt(only(placeOf(node.at)), localOpcode::startChain, failure, variable(node.text), callRow(node, 0));
        push(1);
        for (std::size_t i = 0; i < node.attributes.size(); ++i) {
          const unsigned attributeAt = i < node.attributeAt.size() ? node.attributeAt[i] : node.at;
          emitAt(only(placeOf(attributeAt)), localOpcode::readAttribute, failure, member(node.attributes[i]));
        }
        if (!node.isCall) return;
        arguments(tree, node, depth, failure);
        callInstruction(localOpcode::callMethod, node, member(node.upper), depth, failure, node.methodAt);
        return;
    }
  }

  // A call of a value table's own cell method: the cell instruction in front of the
  // general sequence, which runs when any of its checks fails. The object is read in
  // place only when every argument is.
  bool tableCall(const localExpressionTree& tree, const treeNode& node, unsigned depth, std::uint32_t failure) {
    const localValueTableCells::method method = localValueTableCells::methodNamed(node.upper);
    const std::size_t count = node.arguments.size();
    if (!localValueTableCells::takesArguments(method, count)) return false;
    const std::size_t inPlace = firstReadInPlace(tree, node);
    localTableCall call;
    call.method = method;
    call.count = static_cast<std::uint8_t>(count);
    call.slots = static_cast<std::uint8_t>(inPlace);
    call.member = member(node.upper);
    if (inPlace == 0) call.object = variable(node.text);
    for (std::size_t i = inPlace; i < count; ++i) call.arguments[i] = operand(tree.nodes()[node.arguments[i]]);
    call.literalColumn = count >= 2 && tree.nodes()[node.arguments[1]].what == kind::string;
    const std::uint32_t row = static_cast<std::uint32_t>(code_.tableCalls.size());
    code_.tableCalls.push_back(call);
    guardedCall(tree, node, depth, failure, inPlace, only(placeOf(node.methodAt)), localOpcode::callTable, row,
                [&] {
                  emitAt(only(placeOf(node.at)), localOpcode::startChain, failure, variable(node.text),
                         callRow(node, 0));
                },
                localOpcode::callMethod, call.member, node.methodAt);
    return true;
  }

  // A call of a pure numeric built-in: the numeric instruction in front of the general
  // call, arguments placed as for a table's cell methods.
  bool numericCall(const localExpressionTree& tree, const treeNode& node, unsigned depth, std::uint32_t failure) {
    const localBuiltin::numeric function = localBuiltin::numericNamed(localString::wstringToUpper(node.text));
    const std::size_t count = node.arguments.size();
    if (!localBuiltin::numericTakes(function, count)) return false;
    const std::size_t inPlace = firstReadInPlace(tree, node);
    localNumericCall call;
    call.function = function;
    call.count = static_cast<std::uint8_t>(count);
    call.slots = static_cast<std::uint8_t>(inPlace);
    call.name = this->function(node.text);
    for (std::size_t i = inPlace; i < count; ++i) call.arguments[i] = operand(tree.nodes()[node.arguments[i]]);
    const std::uint32_t row = static_cast<std::uint32_t>(code_.numericCalls.size());
    code_.numericCalls.push_back(call);
    const spot callPlace = only(placeOf(node.at));
    guardedCall(tree, node, depth, failure, inPlace, callPlace, localOpcode::callNumeric, row,
                [&] { emitAt(callPlace, localOpcode::pushFresh, failure); }, localOpcode::callFunction, call.name,
                node.at);
    return true;
  }

  // The first of a call's arguments that a specialised instruction reads in place: the
  // leaves after the last argument that is computed. Those before it are read into slots
  // first, as the general call reads them: a later argument may change their variables.
  std::size_t firstReadInPlace(const localExpressionTree& tree, const treeNode& node) {
    std::size_t first = node.arguments.size();
    while (first > 0 && leafOperand(tree.nodes()[node.arguments[first - 1]])) --first;
    return first;
  }

  void binary(const localExpressionTree& tree, const treeNode& node, unsigned depth, std::uint32_t failure) {
    value(tree, node.left, depth, failure);
    unsigned rightDepth = depth;
    const treeNode& right = unwrapped(tree, node.right, rightDepth);
    const localSourcePlace divisor = placeOf(tree.startOf(node.right));
    if (leafOperand(right)) {
      emitAt(spot{placeOf(node.at), {}, placeOf(right.at), divisor}, localOpcode::operateWith, failure, operand(right),
             0, node.operation);
    } else {
      value(tree, node.right, depth, failure);
      emitAt(spot{placeOf(node.at), {}, {}, divisor}, localOpcode::operate, failure, 0, 0, node.operation);
      pop(1);
    }
  }

  void arguments(const localExpressionTree& tree, const treeNode& node, unsigned depth, std::uint32_t failure) {
    for (const unsigned argument : node.arguments) value(tree, argument, depth + 1, failure);
  }

  void callInstruction(localOpcode op, const treeNode& node, std::uint32_t name, unsigned depth,
                       std::uint32_t failure, unsigned nameAt) {
    const std::uint32_t count = static_cast<std::uint32_t>(node.arguments.size());
    const std::size_t at = emitAt(only(placeOf(nameAt)), op, failure, callRow(node, name), count);
    code_.instructions[at].levels = static_cast<std::uint16_t>(depth);
    pop(count);
  }

  std::uint32_t callRow(const treeNode& node, std::uint32_t name) {
    code_.calls.push_back({name, {node.closePosition, node.termStart}, node.afterWord});
    return static_cast<std::uint32_t>(code_.calls.size() - 1);
  }

  // --- Side tables ------------------------------------------------------------------

  static std::uint32_t find(std::vector<localCode::name>& names, const std::wstring& text) {
    const auto found =
        std::find_if(names.begin(), names.end(), [&](const localCode::name& entry) { return entry.text == text; });
    if (found != names.end()) return static_cast<std::uint32_t>(found - names.begin());
    names.push_back({text, {}});
    return static_cast<std::uint32_t>(names.size() - 1);
  }
  std::uint32_t variable(const std::wstring& text) { return find(code_.variables, text); }
  std::uint32_t function(const std::wstring& text) { return find(code_.functions, text); }
  std::uint32_t member(const std::wstring& upper) {
    code_.members.push_back({upper, {}});
    return static_cast<std::uint32_t>(code_.members.size() - 1);
  }
  std::uint32_t nodeIndex(const localOperatorCompiled& node) {
    code_.nodes.push_back(&node);
    return static_cast<std::uint32_t>(code_.nodes.size() - 1);
  }
  std::uint32_t row(lines what, std::uint16_t blocks, unsigned first = 0, const localOperatorCompiled* node = nullptr) {
    code_.failures.push_back({what, blocks, first, node});
    return static_cast<std::uint32_t>(code_.failures.size() - 1);
  }
  // Instructions that cannot fail name row 0 (nothing to print, no block).
  std::uint32_t none() {
    if (code_.failures.empty()) code_.failures.push_back({});
    return 0;
  }

  // --- Emitting ---------------------------------------------------------------------

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // The places of an instruction: its own, then those of localCode::operandPlaces.
  struct spot {
    localSourcePlace at;
    localSourcePlace left;
    localSourcePlace right;
    localSourcePlace divisor;
  };

  static spot only(const localSourcePlace& place) {
    spot where;
    where.at = place;
    return where;
  }

  // A specialised instruction (guard, its row) in front of a call's general sequence: it
  // stands where the arguments it reads in place begin (before the sequence when it reads
  // them all, the object too) and jumps past the sequence when it did the work. start
  // emits the sequence's first instruction, the slot of the object or of the result.
  template <typename Start>
  void guardedCall(const localExpressionTree& tree, const treeNode& node, unsigned depth, std::uint32_t failure,
                   std::size_t inPlace, const spot& guardPlace, localOpcode guard, std::uint32_t row, Start start,
                   localOpcode general, std::uint32_t name, unsigned nameAt) {
    std::size_t at = npos;
    if (inPlace == 0) at = emitAt(guardPlace, guard, failure, 0, row);
    start();
    push(1);
    for (std::size_t i = 0; i < node.arguments.size(); ++i) {
      if (i == inPlace && at == npos) at = emitAt(guardPlace, guard, failure, 0, row);
      value(tree, node.arguments[i], depth + 1, failure);
    }
    if (at == npos) at = emitAt(guardPlace, guard, failure, 0, row);
    callInstruction(general, node, name, depth, failure, nameAt);
    patch(at);
  }

  // The instruction at `at` begins a statement standing at place.
  void begins(std::size_t at, const localSourcePlace& place) {
    code_.places[at].statementStart = true;
    code_.statementPlaces.push_back({static_cast<std::uint32_t>(at), place});
  }

  // The place of an offset in the text of the node being compiled.
  localSourcePlace placeOf(unsigned offset) const {
    return node_ != nullptr ? node_->placeAt(offset) : statementPlace_;
  }

  // An instruction standing where its statement does.
  std::size_t emit(localOpcode op, std::uint32_t failure, std::uint32_t a = 0, std::uint32_t b = 0,
                   std::int32_t operation = 0) {
    localSourcePlace place = statementPlace_;
    place.statementStart = false;
    return emitAt(only(place), op, failure, a, b, operation);
  }

  std::size_t emitAt(const spot& where, localOpcode op, std::uint32_t failure, std::uint32_t a = 0,
                     std::uint32_t b = 0, std::int32_t operation = 0) {
    code_.places.push_back(where.at);
    code_.parts.push_back({where.left, where.right, where.divisor});
    localInstruction instruction;
    instruction.op = op;
    instruction.operation = static_cast<std::uint8_t>(operation);
    instruction.a = a;
    instruction.b = b;
    instruction.failure = failure;
    code_.instructions.push_back(instruction);
    return code_.instructions.size() - 1;
  }
  std::size_t here() const { return code_.instructions.size(); }
  // The next instruction starts this statement (a later start at the same place, of a
  // statement that emitted nothing before it, takes its place).
  void startsHere(const localOperatorCompiled& node) {
    if (!starts_.empty() && starts_.back().first == here()) {
      starts_.back().second = &node;
      return;
    }
    starts_.emplace_back(here(), &node);
  }
  // Points the jump at `at` to the next instruction.
  void patch(std::size_t at) { code_.instructions[at].a = static_cast<std::uint32_t>(here()); }

  void push(unsigned count) {
    height_ += count;
    code_.stackNeeded = std::max(code_.stackNeeded, height_);
  }
  void pop(unsigned count) { height_ -= count; }
  void levels(unsigned depth) { code_.levelsNeeded = std::max(code_.levelsNeeded, depth); }

  localCode& code_;
  unsigned height_ = 0;
  localSourcePlace statementPlace_;              // of the statement being compiled
  const localOperatorCompiled* node_ = nullptr;  // whose text the tree offsets are in
  std::vector<std::pair<std::size_t, const localOperatorCompiled*>> starts_;
};

// The operands' table: the variables' places empty, then the literals'. Marked literal
// operands get their places now that the number of variables is known.
void placeOperands(localCode& code) {
  const std::uint32_t variables = static_cast<std::uint32_t>(code.variables.size());
  const auto place = [variables](std::uint32_t& operand) {
    if ((operand & literalMark) != 0) operand = variables + (operand & ~literalMark);
  };
  for (localInstruction& instruction : code.instructions) {
    if (instruction.op == localOpcode::push || instruction.op == localOpcode::operateWith) place(instruction.a);
    if (instruction.op == localOpcode::update || instruction.op == localOpcode::jumpUnlessWith) place(instruction.b);
  }
  for (localCode::comparison& comparison : code.comparisons) {
    place(comparison.left);
    place(comparison.right);
  }
  for (localTableCall& call : code.tableCalls) {
    if (call.object != localTableCall::inSlot) place(call.object);
    for (std::uint8_t i = call.slots; i < call.count; ++i) place(call.arguments[i]);
  }
  // Statements are noted as they end, nested ones first.
  std::stable_sort(code.statementPlaces.begin(), code.statementPlaces.end(),
                   [](const localCode::statementPlace& a, const localCode::statementPlace& b) {
                     return a.instruction < b.instruction;
                   });
  for (localNumericCall& call : code.numericCalls) {
    for (std::uint8_t i = call.slots; i < call.count; ++i) place(call.arguments[i]);
  }
  std::vector<localValueDescription*>& values = code.operandValues.values;
  values.assign(variables, nullptr);
  for (localValueDescription& literal : code.literals) values.push_back(&literal);
}

}  // namespace

std::shared_ptr<const localCode> localCode::compile(const localOperatorCompiled& node) {
  auto code = std::make_shared<localCode>();
  code->failures.push_back({});  // row 0: nothing to report
  localCodeCompiler(*code).unit(node);
  placeOperands(*code);
  return code;
}
