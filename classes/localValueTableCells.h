#pragma once
// The cell work of the value table's five loop methods (GETVALUE, SETVALUE, LINESCNT,
// COLUMNCOUNT, NEWLINE), inline: the members bound to them run these after checking
// their arguments, and the program engine's cell instruction runs the same ones after
// checking its own assumptions, so the two cannot drift apart.
#include <cstdint>
#include <string_view>

#include "classes/localValueTable.h"
#include "core/localClassDeclaration.h"
#include "core/localIntegerConversion.h"
#include "core/localValueDescription.h"

namespace localValueTableCells {

// The methods with a cell routine; none for any other name.
enum class method : std::uint8_t { getValue, setValue, linesCount, columnCount, newLine, none };

// The method a member name (upper case, either spelling) calls, or none.
method methodNamed(std::wstring_view upperName);
// Whether the member is the table's own member for that method (not one of another class
// of the same name).
bool isOwnMember(const localClassDeclaration::classMember* member, method which);
// Whether a call with that many arguments can be right (the method checks it anyway).
constexpr bool takesArguments(method which, std::size_t count) {
  switch (which) {
    case method::getValue: return count == 2;
    case method::setValue: return count == 3;
    case method::linesCount:
    case method::columnCount: return count == 0;
    case method::newLine: return count <= 1;
    case method::none: break;
  }
  return false;
}

// An index argument given as a number: truncated toward zero, modulo 2^32.
[[gnu::always_inline]] inline unsigned indexOf(const localValueDescription& number) {
  return localTruncateToUint32Modulo(number.getNum());
}

// A column given by number (truncated) or by its exact name; 0 when there is none.
[[gnu::always_inline]] inline unsigned columnOf(const localValueTable& table, const localValueDescription& column) {
  if (column.getType() == localValueDescription::typeString) return table.getColumnParameters(column.getStrView());
  return indexOf(column);
}

// The cell (which exists) copied into result, all five fields.
[[gnu::always_inline]] inline void read(const localValueTable& table, unsigned line, unsigned column,
                                        localValueDescription& result) {
  table.readCell(line - 1, column - 1, result);
}

// value copied into the cell (which exists), all five fields.
[[gnu::always_inline]] inline void write(localValueTable& table, unsigned line, unsigned column,
                                         const localValueDescription& value) {
  table.writeCell(line - 1, column - 1, value);
}

[[gnu::always_inline]] inline void countLines(const localValueTable& table, localValueDescription& result) {
  result.setVal(static_cast<double>(table.linesCnt()));
}

[[gnu::always_inline]] inline void countColumns(const localValueTable& table, localValueDescription& result) {
  result.setVal(static_cast<double>(table.columnCount()));
}

// A new line at position (0: at the end); the result is the number 1.
inline void addLine(localValueTable& table, unsigned position, localValueDescription& result) {
  table.newLine(position);
  result.setVal(1.0);
}

}  // namespace localValueTableCells
