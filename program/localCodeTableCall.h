#pragma once
// A call of one of a value table's own loop methods (GETVALUE, SETVALUE, LINESCNT,
// COLUMNCOUNT, NEWLINE) as one instruction in front of the general call sequence. The
// instruction checks its assumptions (a value table, the member its own, index arguments
// that are numbers naming a cell that exists) and does the cell work through the routine
// the bound method runs (localValueTableCells); when any check fails it does nothing and
// the general sequence after it runs, with every message and failure it has.
//
// Its operands: the object and the arguments that are still leaves when it runs are read
// in place (a variable or a literal); the rest are in stack slots the sequence before it
// has filled, just as the general call would find them.
#include <cstdint>

#include "classes/localValueTable.h"
#include "classes/localValueTableCells.h"
#include "core/localClassDeclaration.h"
#include "core/localValueDescription.h"

struct localTableCall {
  // An operand already in a stack slot.
  static constexpr std::uint32_t inSlot = 0xFFFFFFFFu;

  localValueTableCells::method method = localValueTableCells::method::none;
  std::uint8_t count = 0;             // arguments
  std::uint8_t slots = 0;             // arguments in stack slots, before those read in place
  std::uint32_t member = 0;           // index of localCode::members: its name and site
  std::uint32_t object = inSlot;      // operand, or inSlot: the slot below the arguments'
  std::uint32_t arguments[3] = {inSlot, inSlot, inSlot};
  bool literalColumn = false;         // the column is a literal: its number may be kept
  // The declaration stamp at which the member was found to be the table's own.
  mutable std::uint64_t stamp = 0;
  // The column a literal name found in a table: columns are only ever added at the end,
  // and a table lives to the end of the run, so the first column of a name stays first.
  mutable const localValueTable* columnTable = nullptr;
  mutable unsigned columnNumber = 0;
};

namespace localTableCallRun {

// The column argument's number in table, a literal name's remembered.
[[gnu::always_inline]] inline unsigned column(const localTableCall& call, const localValueTable& table,
                                              const localValueDescription& argument) {
  if (argument.getType() != localValueDescription::typeString) return localValueTableCells::indexOf(argument);
  if (call.columnTable == &table) return call.columnNumber;
  const unsigned found = localValueTableCells::columnOf(table, argument);
  if (call.literalColumn && found != 0) {
    call.columnTable = &table;
    call.columnNumber = found;
  }
  return found;
}

// Whether a line or column argument is one the method takes: a number, or for the column
// also a string.
[[gnu::always_inline]] inline bool isIndex(const localValueDescription* argument, bool nameAllowed) {
  if (argument == nullptr) return false;
  const std::int32_t type = argument->getType();
  return type == localValueDescription::typeNumber || (nameAllowed && type == localValueDescription::typeString);
}

// Runs the call when every assumption holds: object is the value the chain starts from,
// argument(i) gives its i-th argument (null when its variable does not exist), result is
// the slot the general sequence leaves its value in (which may be object's own slot).
// false, with nothing done, when any check fails. ownMember answers whether the object's
// declaration has the table's member (and remembers the stamp when it has).
template <class Argument, class OwnMember>
[[gnu::always_inline]] inline bool run(const localTableCall& call, const localValueDescription* object,
                                       Argument&& argument, localValueDescription& result, OwnMember&& ownMember) {
  using method = localValueTableCells::method;
  if (object == nullptr || object->getType() != localValueDescription::typeObject) return false;
  const localClassDeclaration* declaration = object->getClassDeclaration();
  if (declaration == nullptr || (declaration->stamp() != call.stamp && !ownMember(*declaration))) return false;
  auto& table = *static_cast<localValueTable*>(object->getObj());
  // Any result but a cell's is written over the object, as the chain's slot holds it.
  const auto overObject = [&result, object]() __attribute__((always_inline)) -> localValueDescription& {
    if (&result != object) result.resetToObject(object->getObj(), object->getClassDeclaration());
    return result;
  };
  switch (call.method) {
    case method::getValue: {
      const localValueDescription* line = argument(0);
      const localValueDescription* columnArgument = argument(1);
      if (!isIndex(line, false) || !isIndex(columnArgument, true)) return false;
      const unsigned lineNumber = localValueTableCells::indexOf(*line);
      const unsigned columnNumber = column(call, table, *columnArgument);
      if (!table.hasCell(lineNumber, columnNumber)) return false;
      localValueTableCells::read(table, lineNumber, columnNumber, result);
      return true;
    }
    case method::setValue: {
      const localValueDescription* line = argument(0);
      const localValueDescription* columnArgument = argument(1);
      const localValueDescription* value = argument(2);
      if (!isIndex(line, false) || !isIndex(columnArgument, true) || value == nullptr) return false;
      const unsigned lineNumber = localValueTableCells::indexOf(*line);
      const unsigned columnNumber = column(call, table, *columnArgument);
      if (!table.hasCell(lineNumber, columnNumber)) return false;
      localValueTableCells::write(table, lineNumber, columnNumber, *value);
      overObject().setBoo(true);
      return true;
    }
    case method::linesCount:
      localValueTableCells::countLines(table, overObject());
      return true;
    case method::columnCount:
      localValueTableCells::countColumns(table, overObject());
      return true;
    case method::newLine: {
      unsigned position = 0;
      if (call.count == 1) {
        const localValueDescription* at = argument(0);
        if (!isIndex(at, false)) return false;
        position = localValueTableCells::indexOf(*at);
      }
      localValueTableCells::addLine(table, position, overObject());
      return true;
    }
    case method::none:
      break;
  }
  return false;
}

}  // namespace localTableCallRun
