#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/localClassDeclaration.h"
#include "core/localMappedAllocator.h"

// The value table: named columns, numbered lines (both from 1), cells of any kind.
class localValueTable {
 public:
  struct columnType {
    std::wstring name;
  };

  localValueTable() = default;

  unsigned columnCount() const;
  unsigned linesCnt() const;
  unsigned newColumn(const std::wstring& name);
  bool newLine(const unsigned& position);
  unsigned getColumnParameters(std::wstring_view name) const;
  std::wstring getColumnParameters(const unsigned& number) const;
  bool getValue(localReturnStateType& state, const unsigned& line, const unsigned& column,
                localValueDescription& result) const;
  bool setValue(localReturnStateType& state, const unsigned& line, const unsigned& column,
                const localValueDescription& value);
  // Ascending by the column's text forms, equal texts in their order; false when no
  // column has that name. Ctrl-C while it runs leaves the lines as they were and sets
  // *state (when given) to localErrorTypeCODE.
  bool sort(const std::wstring& columnName, localReturnStateType* state = nullptr);
  unsigned chooseLine(const std::wstring& title) const;
  // The cell of a line and a column, both from 0 and inside the table, copied into
  // result with all five fields.
  [[gnu::always_inline]] void readCell(unsigned line, unsigned column, localValueDescription& result) const {
    const compactCell& cell = cells[at(line, column)];
    if (cell.aside == 0) {
      result.resetToNumber(cell.number);
    } else {
      result.assignInline(asideValues[cell.aside - 1]);
    }
  }
  // value, with all five fields, into the cell of a line and a column (both from 0,
  // inside the table).
  [[gnu::always_inline]] void writeCell(unsigned line, unsigned column, const localValueDescription& value) {
    compactCell& cell = cells[at(line, column)];
    if (value.isPlainNumber() && cell.aside == 0) {
      cell.number = value.getNum();
    } else {
      writeAside(cell, value);
    }
  }
  // The cell's value as a whole (for its text form).
  localValueDescription cellValue(unsigned line, unsigned column) const {
    localValueDescription value;
    readCell(line, column, value);
    return value;
  }
  // Whether the cell of a line and a column, both from 1, exists: 0 wraps round to the
  // largest unsigned and fails the same comparison as a number past the end.
  bool hasCell(unsigned line, unsigned column) const { return line - 1 < lineCount && column - 1 < columns.size(); }

  // The one declaration of the class, for the whole run.
  static localClassDeclaration* getClassDeclaration();
  static bool classImplementationMethodFunction(localReturnStateType& state, void*& object,
                                                const std::wstring& name, localValueList* arguments,
                                                localValueDescription& result);

 private:
  // Moves line order[k] to place k, for every k (order is a permutation of the lines).
  void placeLines(const std::vector<std::uint32_t>& order);
  // Where the cell of a line and a column (from 0) sits in cells.
  std::size_t at(std::size_t line, std::size_t column) const { return line * columns.size() + column; }

  // A cell in 16 bytes: a number and nothing else kept in place (most cells), or the
  // place among asideValues (plus one) of any other value, numbers that carry a text, a
  // class or an object left over included, so a read gives back every field written.
  struct compactCell {
    double number = 0.0;
    std::uint32_t aside = 0;  // 0: the number is the cell's whole value
  };
  static_assert(sizeof(compactCell) == 16);
  // A cell that is not a plain number, or that was not and becomes one.
  void writeAside(compactCell& cell, const localValueDescription& value);

  std::vector<columnType> columns;
  // The cells of all lines in one block, line after line, each line one cell a column:
  // a new line costs no allocation of its own. The line count is kept apart, since a
  // table may have lines before it has any column. A large block goes back to the system
  // when the table outgrows it.
  using cellBlock = std::vector<compactCell, localMappedAllocator<compactCell>>;
  cellBlock cells;
  std::size_t lineCount = 0;
  // The values of the cells kept aside, and the places among them no cell uses now.
  std::vector<localValueDescription> asideValues;
  std::vector<std::uint32_t> freeAside;
};
