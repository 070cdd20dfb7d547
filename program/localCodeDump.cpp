// The listing of an instruction list: one instruction a line, its number, its line:column
// in the source, its name and its operands spelled out from the side tables, so a golden
// test shows how statements compile and where each instruction stands.
#include <algorithm>
#include <string>

#include "program/localCode.h"
#include "program/localOperatorCompiled.h"

namespace {

const wchar_t* nameOf(localOpcode op) {
  switch (op) {
    case localOpcode::push: return L"push";
    case localOpcode::pushFresh: return L"pushFresh";
    case localOpcode::pushScanned: return L"pushScanned";
    case localOpcode::operate: return L"operate";
    case localOpcode::operateWith: return L"operateWith";
    case localOpcode::startChain: return L"startChain";
    case localOpcode::readAttribute: return L"readAttribute";
    case localOpcode::callFunction: return L"callFunction";
    case localOpcode::callMethod: return L"callMethod";
    case localOpcode::callTable: return L"callTable";
    case localOpcode::callNumeric: return L"callNumeric";
    case localOpcode::store: return L"store";
    case localOpcode::update: return L"update";
    case localOpcode::pop: return L"pop";
    case localOpcode::print: return L"print";
    case localOpcode::jump: return L"jump";
    case localOpcode::jumpUnless: return L"jumpUnless";
    case localOpcode::jumpUnlessWith: return L"jumpUnlessWith";
    case localOpcode::jumpUnlessOperate: return L"jumpUnlessOperate";
    case localOpcode::jumpUnlessCompare: return L"jumpUnlessCompare";
    case localOpcode::loopCompare: return L"loopCompare";
    case localOpcode::command: return L"command";
    case localOpcode::runNode: return L"runNode";
    case localOpcode::scanStatement: return L"scanStatement";
    case localOpcode::traceNone: return L"traceNone";
    case localOpcode::traceReturn: return L"traceReturn";
    case localOpcode::stateCheck: return L"stateCheck";
    case localOpcode::end: return L"end";
  }
  return L"?";
}

const wchar_t* operatorOf(std::uint8_t operation) {
  static const wchar_t* const spelled[] = {L"", L"=", L"<>", L">=", L">", L"<=", L"<", L"-", L"+", L"/", L"*"};
  return operation < sizeof spelled / sizeof spelled[0] ? spelled[operation] : L"?";
}

std::wstring literalText(const localValueDescription& literal) {
  if (literal.getType() == localValueDescription::typeString) return L"'" + literal.getStrRef() + L"'";
  return literal.toString();
}

// A statement's text on one line: line ends and tabs become blanks.
std::wstring oneLine(std::wstring text) {
  for (wchar_t& c : text) {
    if (c == L'\n' || c == L'\r' || c == L'\t') c = L' ';
  }
  return text;
}

}  // namespace

std::wstring localCode::disassemble() const {
  // An operand: a variable's name, or a literal as written.
  const auto operandText = [this](std::uint32_t operand) {
    return operand < variables.size() ? variables[operand].text : literalText(literals[operand - variables.size()]);
  };
  std::wstring listing;
  for (std::size_t at = 0; at < instructions.size(); ++at) {
    const localInstruction& instruction = instructions[at];
    std::wstring line = std::to_wstring(at);
    line.resize(std::max<std::size_t>(line.size(), 4), L' ');
    // Where it stands in the source, line:column.
    line += std::to_wstring(places[at].line) + L":" + std::to_wstring(places[at].column);
    line.resize(std::max<std::size_t>(line.size() + 1, 12), L' ');
    line += nameOf(instruction.op);
    const auto add = [&line](const std::wstring& part) { line += L" " + part; };
    switch (instruction.op) {
      case localOpcode::push:
        add(operandText(instruction.a));
        break;
      case localOpcode::store:
        add(variables[instruction.a].text);
        break;
      case localOpcode::operate:
        add(operatorOf(instruction.operation));
        break;
      case localOpcode::operateWith:
        add(operatorOf(instruction.operation));
        add(operandText(instruction.a));
        break;
      case localOpcode::update:
        add(variables[instruction.a].text);
        add(operatorOf(instruction.operation));
        add(operandText(instruction.b));
        break;
      case localOpcode::startChain:
        add(variables[instruction.a].text);
        break;
      case localOpcode::readAttribute:
        add(members[instruction.a].upper);
        break;
      case localOpcode::callFunction:
        add(functions[calls[instruction.a].name].text + L"/" + std::to_wstring(instruction.b));
        break;
      case localOpcode::callMethod:
        add(members[calls[instruction.a].name].upper + L"/" + std::to_wstring(instruction.b));
        break;
      case localOpcode::callTable: {
        // The call as written, ^ for an operand in a slot.
        const localTableCall& call = tableCalls[instruction.b];
        const auto text = [&](std::uint32_t operand) {
          return operand == localTableCall::inSlot ? std::wstring(L"^") : operandText(operand);
        };
        std::wstring written = text(call.object) + L"." + members[call.member].upper + L"(";
        for (std::uint8_t i = 0; i < call.count; ++i) written += (i != 0 ? L", " : L"") + text(call.arguments[i]);
        add(written + L")");
        add(L"-> " + std::to_wstring(instruction.a));
        break;
      }
      case localOpcode::callNumeric: {
        const localNumericCall& call = numericCalls[instruction.b];
        std::wstring written = functions[call.name].text + L"(";
        for (std::uint8_t i = 0; i < call.count; ++i)
          written += (i != 0 ? L", " : L"") +
                     (i < call.slots ? std::wstring(L"^") : operandText(call.arguments[i]));
        add(written + L")");
        add(L"-> " + std::to_wstring(instruction.a));
        break;
      }
      case localOpcode::jump:
        add(L"-> " + std::to_wstring(instruction.a));
        break;
      case localOpcode::jumpUnless:
        add(L"-> " + std::to_wstring(instruction.a));
        if (instruction.levels != 0) add(L"(loop)");
        break;
      case localOpcode::jumpUnlessWith:
        add(operatorOf(instruction.operation));
        add(operandText(instruction.b));
        add(L"-> " + std::to_wstring(instruction.a));
        if (instruction.levels != 0) add(L"(loop)");
        break;
      case localOpcode::jumpUnlessOperate:
        add(operatorOf(instruction.operation));
        add(L"-> " + std::to_wstring(instruction.a));
        if (instruction.levels != 0) add(L"(loop)");
        break;
      case localOpcode::jumpUnlessCompare:
      case localOpcode::loopCompare:
        add(operandText(comparisons[instruction.b].left));
        add(operatorOf(instruction.operation));
        add(operandText(comparisons[instruction.b].right));
        add(L"-> " + std::to_wstring(instruction.a));
        if (instruction.levels != 0) add(L"(loop)");
        break;
      case localOpcode::pushScanned:
      case localOpcode::command:
      case localOpcode::runNode:
      case localOpcode::scanStatement:
        add(L"[" + oneLine(nodes[instruction.a]->text) + L"]");
        break;
      default:
        break;
    }
    listing += line + L"\n";
  }
  return listing;
}

std::wstring localCode::listProgram(const localOperatorCompiled& root, const localContextUTF8& context) {
  std::wstring listing = L"program:\n" + root.code().disassemble();
  for (unsigned i = 0; i < context.funcCount(); ++i) {
    const localOperatorCompiled* body = context.funcCompiledAt(i);
    if (body != nullptr) listing += L"function " + context.funcByIdx(i).name + L":\n" + body->code().disassemble();
  }
  return listing;
}
