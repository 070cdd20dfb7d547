// SORT of the value table against the plain definition: moving each line down by
// adjacent swaps while its text is strictly smaller than the one before. Order and swap
// count must agree on random tables with ties, mixed kinds and Russian text.
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <string>
#include <vector>

#include "classes/localStableSort.h"
#include "classes/localValueTable.h"
#include "context_test_support.h"
#include "core/localInterrupt.h"

namespace {

using contextTest::boo;
using contextTest::CoutCapture;
using contextTest::num;
using contextTest::str;

// The reference: adjacent swaps, counted, comparing text forms every time.
unsigned long long adjacentSwapSort(std::vector<std::vector<localValueDescription>>& lines, unsigned index) {
  unsigned long long swaps = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    for (std::size_t j = i; j > 0 && lines[j][index].toString() < lines[j - 1][index].toString(); --j) {
      std::swap(lines[j], lines[j - 1]);
      ++swaps;
    }
  }
  return swaps;
}

// The table's lines as separate rows of cells, copied.
std::vector<std::vector<localValueDescription>> rowsOf(const localValueTable& table) {
  std::vector<std::vector<localValueDescription>> rows(table.linesCnt());
  for (unsigned line = 0; line < table.linesCnt(); ++line) {
    for (unsigned column = 0; column < table.columnCount(); ++column) rows[line].push_back(table.cellValue(line, column));
  }
  return rows;
}

localValueDescription randomCell(std::mt19937& random) {
  static const std::vector<std::wstring> words = {L"яблоко", L"Яблоко", L"ёж", L"Ёж", L"жук", L"apple",
                                                  L"Apple", L"", L" ", L"10", L"9", L"ж"};
  switch (random() % 4) {
    case 0:
      return num(static_cast<double>(random() % 12) - 3);  // ties, negatives, "10" before "9"
    case 1:
      return num(static_cast<double>(random() % 7) / 4);  // fractions
    case 2:
      return boo(random() % 2 == 0);
    default:
      return str(words[random() % words.size()]);
  }
}

std::string swapsLine(unsigned long long swaps) {
  return localString::wstringToStdStringMultibyte(L" Всего обменов: " + std::to_wstring(swaps) +
                                                  L" func: sort file: localInterpretatorUTF8 line: 4278\n");
}

TEST(ValueTableMergeSort, AgreesWithAdjacentSwapsOnRandomTables) {
  std::mt19937 random(2024);
  for (int round = 0; round < 60; ++round) {
    localValueTable table;
    table.newColumn(L"id");
    table.newColumn(L"ключ");
    const unsigned count = round < 10 ? static_cast<unsigned>(round) : 1 + random() % 300;
    localReturnStateType state = localErrorTypeOK;
    for (unsigned line = 1; line <= count; ++line) {
      table.newLine(0);
      table.setValue(state, line, 1, num(line));
      table.setValue(state, line, 2, randomCell(random));
    }
    std::vector<std::vector<localValueDescription>> expected = rowsOf(table);
    const unsigned long long swaps = adjacentSwapSort(expected, 1);

    CoutCapture capture;
    ASSERT_TRUE(table.sort(L"ключ"));
    const std::string trace = capture.text();
    ASSERT_EQ(trace.substr(trace.find('\n') + 1), swapsLine(swaps)) << "round " << round;
    const std::vector<std::vector<localValueDescription>> sortedRows = rowsOf(table);
    ASSERT_EQ(sortedRows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      ASSERT_EQ(sortedRows[i][0].getNum(), expected[i][0].getNum()) << "round " << round << " line " << i;
      ASSERT_EQ(sortedRows[i][1].toString(), expected[i][1].toString()) << "round " << round << " line " << i;
    }
  }
}

TEST(ValueTableMergeSort, CountsEveryPairOfAReversedTable) {
  std::vector<std::wstring> keys;
  for (int i = 0; i < 2000; ++i) keys.push_back(std::to_wstring(90000 - i));  // same width: text order is number order
  const localStableSortResult sorted = localStableSortByText(keys, nullptr);
  EXPECT_EQ(sorted.inversions, 2000ull * 1999 / 2);
  ASSERT_EQ(sorted.order.size(), keys.size());
  EXPECT_EQ(sorted.order.front(), 1999u);
  EXPECT_EQ(sorted.order.back(), 0u);
}

TEST(ValueTableMergeSort, CtrlCLeavesTheTableAsItWasAndFailsTheCall) {
  struct sigaction saved {};
  sigaction(SIGINT, nullptr, &saved);
  localInterruptInstall();

  // Enough lines for the sort to look at the flag at least once.
  localValueTable table;
  table.newColumn(L"k");
  localReturnStateType state = localErrorTypeOK;
  const unsigned count = 70000;
  for (unsigned line = 1; line <= count; ++line) {
    table.newLine(0);
    table.setValue(state, line, 1, num(count - line));
  }
  CoutCapture capture;
  localInterruptLineStarts();
  std::raise(SIGINT);
  state = localErrorTypeOK;
  EXPECT_TRUE(table.sort(L"k", &state));
  localInterruptLineEnds();
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_NE(capture.text().find("(Ctrl-C) func: sort file: localInterpretatorUTF8 line: 4277\n"), std::string::npos);
  EXPECT_EQ(capture.text().find("Всего обменов"), std::string::npos);
  EXPECT_EQ(table.cellValue(0, 0).getNum(), count - 1);
  EXPECT_EQ(table.cellValue(count - 1, 0).getNum(), 0);

  sigaction(SIGINT, &saved, nullptr);
}

}  // namespace
