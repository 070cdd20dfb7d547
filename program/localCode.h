#pragma once
// The instruction list of a compiled program or function body, and the one loop that runs
// it (localCodeRun.cpp). A node of the operator tree is compiled, from the expression
// trees its nodes parsed once, the first time it runs; the code lives as long as the node.
//
// The machine is a stack machine. Expressions leave their value in the slot their first
// operand was read into, and an operation writes its result over its left operand, just
// as the scanning evaluator reduces its operand stack: a value keeps the fields its
// leftmost leaf brought along (the stale text of a number, the object of a method's
// number result) by construction, with no bookkeeping.
//
// Operands: an instruction names a variable or a literal by one number, its place in the
// code's table of operand values (the variables first, then the literals), so one load
// finds either; a literal's place never empties, a variable's is filled when looked up.
//
// Failures: every instruction names a row of the failure table, which says which trace
// lines the statement that failed prints and how many blocks it fails through, so the
// loop itself only stops and reports.
//
// Places: a table beside the instructions (the loop never reads it) gives each one's line
// and column in its source file and marks those that begin a statement; the parts an
// instruction reads or operates on have their places in a second table, for a failure to
// name the one that failed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localClassDeclaration.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"
#include "interp/localNameTerm.h"
#include "program/localCodeNumericCall.h"
#include "program/localCodeTableCall.h"
#include "program/localSourcePlace.h"

class localOperatorCompiled;

enum class localOpcode : std::uint8_t {
  // Expressions: push, operate, call.
  push,            // a: operand (a literal as a fresh value holds it, or a variable)
  pushFresh,       // a fresh value (the number 0): the result slot of a function call
  pushScanned,     // a: node whose text the scanner evaluates (texts no tree was made for)
  operate,         // operation: left := left op right (the two top slots)
  operateWith,     // operation, a: operand, read in place as the right operand
  startChain,      // a: variable holding the object, b: call row (its position)
  readAttribute,   // a: member name
  callFunction,    // a: call row; b: argument count; levels: expression levels held
  callMethod,      // a: call row; b: argument count; levels: expression levels held
  callTable,       // a: where its general sequence ends; b: row of localCode::tableCalls
  callNumeric,     // a: where its general sequence ends; b: row of localCode::numericCalls
  // Statements.
  store,           // a: variable name; moves the top slot into the variable
  update,          // operation, a: variable name, b: operand (x = x op 1, s = s + t)
  pop,
  print,
  jump,            // a: target
  // A condition: jumps to a when it does not hold. levels 1 marks a loop's condition,
  // which checks for Ctrl-C when it holds, before the pass.
  jumpUnless,         // pops the condition's value
  jumpUnlessWith,     // operation, b: operand: the top slot compared with it, popped (f(i) < n)
  jumpUnlessOperate,  // operation: the two top slots compared, popped (i < n - 1)
  jumpUnlessCompare,  // operation, b: row of localCode::comparisons (i <= n)
  loopCompare,        // the same test at the end of a loop's pass: jumps to a when it holds
  command,         // a: node run by the statement executor
  runNode,         // a: node run through its own executor
  scanStatement,   // a: node run by scanning its text (no tree, or no nesting room)
  traceNone,       // the NONE node's trace line
  traceReturn,     // the RENURN node's trace line
  stateCheck,      // the block ends: the state must be success
  end,
};

// One instruction: 16 bytes, operands in place; constants, names and calls in side tables.
struct localInstruction {
  localOpcode op = localOpcode::end;
  std::uint8_t operation = 0;  // a localPossibleBinaryOperation
  std::uint16_t levels = 0;
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  std::uint32_t failure = 0;  // row of localCode::failures
};

// What a statement that fails prints before its blocks report: nothing more (the
// instruction printed its own lines), the three node lines from first on, the PRINT line,
// or the line of an IF's or a WHILE's condition.
struct localFailureRow {
  enum class lines : std::uint8_t { none, node, print, ifCondition, whileCondition };
  lines what = lines::none;
  std::uint16_t blocks = 0;  // enclosing blocks, each printing its two lines
  unsigned first = 0;        // lines::node: the first line's number
  const localOperatorCompiled* node = nullptr;
};

class localCode {
 public:
  // A name looked up in the context; a function remembers its record in its site.
  struct name {
    std::wstring text;
    mutable localNameSite site;
  };
  // The values of the operands: for each variable name where its value was found (null:
  // not looked up yet), then each literal. The variables' entries hold while the context's
  // generation is the one they were found at: records do not move until the generation
  // moves. Running codes check the generation once after anything that may move it (a
  // call, a command, a new variable), not at every read.
  struct operandTable {
    std::uint64_t generation = 0;
    std::vector<localValueDescription*> values;  // variables, then literals
    std::vector<std::uint32_t> found;            // the names whose value is set, to forget
  };
  // A call or a member chain: where its name term began, where its ")" stands, where its
  // first word ends, and the function's or method's name.
  struct call {
    std::uint32_t name = 0;  // functions: index of functionNames; methods: of members
    localNameTerm::callPlace place;
    unsigned afterWord = 0;
  };
  struct member {
    std::wstring upper;
    mutable localMemberSite site;
  };
  // A fused comparison: its two operands, and the outcomes of comparing two numbers that
  // make it hold (localNumberOperation::outcomesHolding of its operation).
  struct comparison {
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    std::uint32_t outcomes = 0;
  };
  std::vector<localInstruction> instructions;
  std::vector<localValueDescription> literals;  // as a fresh value holds them
  std::vector<name> variables;
  mutable operandTable operandValues;
  std::vector<name> functions;
  std::vector<member> members;
  std::vector<call> calls;
  std::vector<comparison> comparisons;
  std::vector<localTableCall> tableCalls;
  std::vector<localNumericCall> numericCalls;
  std::vector<const localOperatorCompiled*> nodes;
  std::vector<localFailureRow> failures;
  // One row per instruction: where it stands (a read operand, an operator, a call's name,
  // a statement), and whether a statement begins with it.
  std::vector<localSourcePlace> places;
  // One row per instruction: the places of its operands, where it has them (no line
  // otherwise): the left one and the right one it reads itself, and where its right
  // operand begins (a divisor).
  struct operandPlaces {
    localSourcePlace left;
    localSourcePlace right;
    localSourcePlace divisor;
  };
  std::vector<operandPlaces> parts;
  // For each instruction that begins a statement, in order: it and the statement's own
  // place (its first word, or a branch's or a loop's condition).
  struct statementPlace {
    std::uint32_t instruction = 0;
    localSourcePlace place;
  };
  std::vector<statementPlace> statementPlaces;
  std::uint32_t source = 0;  // the compiled text the code comes from (0: none)
  // For each instruction, the statement that starts there (null inside a statement): what
  // the dispatch loop tells an attached debugger, and nothing else reads.
  std::vector<const localOperatorCompiled*> statementAt;
  unsigned stackNeeded = 0;   // slots held at once
  unsigned levelsNeeded = 0;  // the deepest expression nesting of any statement

  // Compiles the node (any kind; usually a program's root or a function body).
  static std::shared_ptr<const localCode> compile(const localOperatorCompiled& node);
  // Runs the code of node (compiled on first use) as the node's execution.
  static bool run(localReturnStateType& state, localContextUTF8& context, const localOperatorCompiled& node,
                  localValueList* arguments, localValueDescription& result);
  // How often op has run so far: counted in builds with LOCALINTERP_COUNT_OPCODES (the
  // tests), 0 otherwise.
  static std::uint64_t timesRun(localOpcode op);
  // Where instruction (an index into instructions) stands in its source.
  const localSourcePlace& placeAt(std::size_t instruction) const { return places[instruction]; }
  // The place of the statement instruction belongs to (the last one begun at or before it);
  // no line before the first statement.
  localSourcePlace statementPlaceAt(std::size_t instruction) const;
  // The place a failure of instruction with state names, and the name it is about (an
  // unknown variable or function; empty for anything else).
  localSourcePlace failurePlace(std::size_t instruction, localReturnStateType state, localContextUTF8& context,
                                std::wstring& subject) const;

  // The listing of the code, one instruction a line.
  std::wstring disassemble() const;
  // The listing of a compiled program and of every compiled function its context holds
  // (--dump-code).
  static std::wstring listProgram(const localOperatorCompiled& root, const localContextUTF8& context);
};

// Which way compiled programs run: the scanner reads their texts at every run (`scan`,
// the reference), or their code runs (`code`, the default). Starts from
// LOCALINTERP_ENGINE; tests switch it.
namespace localEngine {
enum class kind { scan, code };
kind current();
void set(kind engine);
}  // namespace localEngine
