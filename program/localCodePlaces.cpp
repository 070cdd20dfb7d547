// Which part of its statement a failed instruction names: the operand that is missing, the
// divisor that is 0, or the instruction's own place (its operator, call or statement).
#include <algorithm>

#include "context/localContextUTF8.h"
#include "program/localCode.h"
#include "text/localString.h"

namespace {

bool missing(const localCode& code, localContextUTF8& context, std::uint32_t operand) {
  return operand < code.variables.size() && context.varFind(code.variables[operand].text) == localContextUTF8::npos;
}

std::wstring nameOf(const localCode& code, std::uint32_t operand) {
  return localString::wstringToUpper(code.variables[operand].text);
}

bool operates(localOpcode op) {
  return op == localOpcode::operate || op == localOpcode::operateWith || op == localOpcode::update ||
         op == localOpcode::jumpUnlessWith || op == localOpcode::jumpUnlessOperate;
}

}  // namespace

localSourcePlace localCode::failurePlace(std::size_t at, localReturnStateType state, localContextUTF8& context,
                                         std::wstring& subject) const {
  subject.clear();
  const localInstruction& instruction = instructions[at];
  const operandPlaces& operands = parts[at];
  localSourcePlace place = places[at];
  place.statementStart = false;
  const auto named = [&](const localSourcePlace& part, std::uint32_t operand) {
    subject = nameOf(*this, operand);
    return part.line != 0 ? part : place;
  };
  if (state == localErrorTypeDIVISIONbyZero && operates(instruction.op) && operands.divisor.line != 0)
    return operands.divisor;
  if (state == localErrorTypeVARIABLEunknown) {
    switch (instruction.op) {
      case localOpcode::push:
      case localOpcode::startChain:
        return named(place, instruction.a);
      case localOpcode::operateWith:
        return named(operands.right, instruction.a);
      case localOpcode::jumpUnlessWith:
        return named(operands.right, instruction.b);
      case localOpcode::update:
        if (missing(*this, context, instruction.a)) return named(operands.left, instruction.a);
        return named(operands.right, instruction.b);
      case localOpcode::jumpUnlessCompare:
      case localOpcode::loopCompare: {
        const comparison& compared = comparisons[instruction.b];
        if (missing(*this, context, compared.left)) return named(operands.left, compared.left);
        return named(operands.right, compared.right);
      }
      default:
        break;
    }
  }
  if (state == localErrorTypeFUNCTIONunknown && instruction.op == localOpcode::callFunction) {
    const std::wstring& function = functions[calls[instruction.a].name].text;
    if (context.funcFind(function) == localContextUTF8::npos) subject = localString::wstringToUpper(function);
  }
  return place;
}

localSourcePlace localCode::statementPlaceAt(std::size_t instruction) const {
  const auto after = std::upper_bound(
      statementPlaces.begin(), statementPlaces.end(), instruction,
      [](std::size_t at, const statementPlace& begun) { return at < begun.instruction; });
  if (after == statementPlaces.begin()) return {};
  return std::prev(after)->place;
}
