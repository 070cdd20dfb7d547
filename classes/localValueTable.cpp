// The value table's own operations: columns, lines, cells and sorting.
#include "classes/localValueTable.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

#include "classes/localClassMethodTable.h"
#include "classes/localStableSort.h"
#include "classes/localValueTableCells.h"
#include "core/localInterrupt.h"
#include "core/localTrace.h"

unsigned localValueTable::columnCount() const { return static_cast<unsigned>(columns.size()); }

unsigned localValueTable::linesCnt() const { return static_cast<unsigned>(lineCount); }

unsigned localValueTable::newColumn(const std::wstring& name) {
  // Every line gets a fresh cell at its end, so the cells move to their places in a wider
  // block. What can fail (copying the name, the allocations) comes before any cell moves.
  columnType added{name};
  columns.reserve(columns.size() + 1);
  const std::size_t width = columns.size();
  cellBlock widened(lineCount * (width + 1));
  for (std::size_t line = 0; line < lineCount; ++line) {
    const auto first = cells.begin() + static_cast<std::ptrdiff_t>(line * width);
    std::move(first, first + static_cast<std::ptrdiff_t>(width),
              widened.begin() + static_cast<std::ptrdiff_t>(line * (width + 1)));
  }
  cells = std::move(widened);
  columns.push_back(std::move(added));
  return columnCount();
}

bool localValueTable::newLine(const unsigned& position) {
  const std::size_t width = columns.size();
  if (position == 0 || position >= lineCount) {
    cells.resize(cells.size() + width);
  } else {
    // Takes the number position; the lines from there on move up by one.
    cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(at(position - 1, 0)), width, compactCell());
  }
  ++lineCount;
  return true;
}

unsigned localValueTable::getColumnParameters(std::wstring_view name) const {
  // Column names are compared exactly, case included. Programs name columns on every
  // cell access, so short names compare inline rather than through the library's call.
  const std::size_t length = name.size();
  const wchar_t* const wanted = name.data();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::wstring& candidate = columns[i].name;
    if (candidate.size() != length) continue;
    std::size_t same = 0;
    while (same < length && candidate[same] == wanted[same]) ++same;
    if (same == length) return static_cast<unsigned>(i + 1);
  }
  return 0;
}

std::wstring localValueTable::getColumnParameters(const unsigned& number) const {
  if (number == 0 || number > columns.size()) return {};
  return columns[number - 1].name;
}

bool localValueTable::getValue(localReturnStateType& state, const unsigned& line, const unsigned& column,
                               localValueDescription& result) const {
  if (!hasCell(line, column)) return localMethodFails(state, localErrorTypeINDEXoutOfBounds);
  localValueTableCells::read(*this, line, column, result);
  return true;
}

bool localValueTable::setValue(localReturnStateType& state, const unsigned& line, const unsigned& column,
                               const localValueDescription& value) {
  if (!hasCell(line, column)) return localMethodFails(state, localErrorTypeINDEXoutOfBounds);
  localValueTableCells::write(*this, line, column, value);
  return true;
}

void localValueTable::writeAside(compactCell& cell, const localValueDescription& value) {
  if (value.isPlainNumber()) {
    // The value aside is let go (its text freed) and its place serves the next one.
    asideValues[cell.aside - 1].reset();
    freeAside.push_back(cell.aside - 1);
    cell = compactCell{value.getNum(), 0};
    return;
  }
  if (cell.aside == 0) {
    if (freeAside.empty()) {
      asideValues.emplace_back();
      cell.aside = static_cast<std::uint32_t>(asideValues.size());
    } else {
      cell.aside = freeAside.back() + 1;
      freeAside.pop_back();
    }
  }
  localValueDescription& kept = asideValues[cell.aside - 1];
  if (&kept != &value) kept.assignInline(value);
}

bool localValueTable::sort(const std::wstring& columnName, localReturnStateType* state) {
  const unsigned column = getColumnParameters(columnName);
  if (column == 0) return false;
  const unsigned index = column - 1;
  localTrace(L" columnIdx=" + std::to_wstring(index) + L" func: ", "sort", 4239);
  // Ascending by text form, equal texts in their order. The swaps reported are those of
  // moving each line down by adjacent swaps while it is strictly smaller than the line
  // before it: the number of reordered pairs, which the merge sort counts.
  std::vector<std::wstring> keys;
  keys.reserve(lineCount);
  for (std::size_t line = 0; line < lineCount; ++line)
    keys.push_back(cellValue(static_cast<unsigned>(line), index).toString());
  localStableSortResult sorted = localStableSortByText(keys, &localInterruptRequested);
  if (sorted.interrupted) {
    localReturnStateType unused = localErrorTypeOK;
    localInterruptReport(state != nullptr ? *state : unused, "sort", 4277);
    return true;
  }
  std::vector<std::wstring>().swap(keys);
  placeLines(sorted.order);
  localTrace(L" Всего обменов: " + std::to_wstring(sorted.inversions) + L" func: ", "sort", 4278);
  return true;
}

void localValueTable::placeLines(const std::vector<std::uint32_t>& order) {
  // Whole lines move in place, cycle by cycle: the first line of a cycle waits aside
  // while each place of the cycle takes the line that belongs there. No second block of
  // cells, so a large table sorts in little more memory than it holds. What can fail
  // (the two allocations) comes before any cell moves.
  const std::size_t width = columns.size();
  std::vector<bool> placed(lineCount);
  std::vector<compactCell> waiting(width);
  const auto moveLine = [width](auto from, auto to) { std::move(from, from + static_cast<std::ptrdiff_t>(width), to); };
  for (std::size_t first = 0; first < lineCount; ++first) {
    if (placed[first] || order[first] == first) continue;
    moveLine(cells.begin() + static_cast<std::ptrdiff_t>(at(first, 0)), waiting.begin());
    std::size_t to = first;
    for (;;) {
      placed[to] = true;
      const std::size_t from = order[to];
      const auto place = cells.begin() + static_cast<std::ptrdiff_t>(at(to, 0));
      if (from == first) {
        moveLine(waiting.begin(), place);
        break;
      }
      moveLine(cells.begin() + static_cast<std::ptrdiff_t>(at(from, 0)), place);
      to = from;
    }
  }
}

unsigned localValueTable::chooseLine(const std::wstring&) const {
  localTrace(L" метод chooseLine() func: ", "chooseLine", 4176);
  localTrace(L" метод chooseLine() доступен только в графической версии! func: ", "chooseLine", 4211);
  return 0;
}
