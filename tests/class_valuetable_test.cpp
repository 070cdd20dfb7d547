// The value table: its own operations (lines, columns, cells, sorting with its trace
// lines) and the methods scripts reach through its declaration.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "classes/localValueTable.h"
#include "context_test_support.h"

namespace {

using contextTest::boo;
using contextTest::CoutCapture;
using contextTest::num;
using contextTest::str;

// A table with one column "K" holding the given texts, line by line.
localValueTable tableOf(const std::vector<localValueDescription>& cells) {
  localValueTable table;
  table.newColumn(L"K");
  localReturnStateType state = localErrorTypeOK;
  for (const localValueDescription& cell : cells) {
    table.newLine(0);
    table.setValue(state, table.linesCnt(), 1, cell);
  }
  return table;
}

std::vector<std::wstring> column(const localValueTable& table, unsigned number) {
  std::vector<std::wstring> texts;
  for (unsigned line = 0; line < table.linesCnt(); ++line) texts.push_back(table.cellValue(line, number - 1).toString());
  return texts;
}

// Every line as the text forms of its cells joined by "|", with "~" marking a cell that
// is a fresh one (the number 0 of a cell nobody has set).
std::vector<std::wstring> grid(const localValueTable& table) {
  std::vector<std::wstring> lines;
  for (unsigned line = 0; line < table.linesCnt(); ++line) {
    std::wstring text;
    for (unsigned column = 0; column < table.columnCount(); ++column) {
      const localValueDescription cell = table.cellValue(line, column);
      const bool fresh = cell.getType() == localValueDescription::typeNumber && cell.getNum() == 0;
      text += (column == 0 ? L"" : L"|") + (fresh ? std::wstring(L"~") : cell.toString());
    }
    lines.push_back(text);
  }
  return lines;
}

std::string sortTrace(unsigned columnIndex, unsigned swaps) {
  return localString::wstringToStdStringMultibyte(
      L" columnIdx=" + std::to_wstring(columnIndex) + L" func: sort file: localInterpretatorUTF8 line: 4239\n" +
      L" Всего обменов: " + std::to_wstring(swaps) + L" func: sort file: localInterpretatorUTF8 line: 4278\n");
}

TEST(ValueTableData, NewColumnsAndLinesKeepEveryLineFull) {
  localValueTable table;
  EXPECT_TRUE(table.newLine(0));
  table.newLine(0);
  table.newLine(1);  // lines count before there is any column
  ASSERT_EQ(table.linesCnt(), 3u);
  EXPECT_EQ(table.newColumn(L"Цена"), 1u);
  EXPECT_EQ(table.newColumn(L"Цена"), 2u);
  table.newLine(1);
  ASSERT_EQ(table.linesCnt(), 4u);
  EXPECT_EQ(grid(table), (std::vector<std::wstring>(4, L"~|~")));
  EXPECT_EQ(table.getColumnParameters(std::wstring(L"Цена")), 1u);  // the first of equal names
  EXPECT_EQ(table.getColumnParameters(std::wstring(L"ЦЕНА")), 0u);  // exact comparison
  EXPECT_EQ(table.getColumnParameters(2u), L"Цена");
  EXPECT_EQ(table.getColumnParameters(0u), L"");
  EXPECT_EQ(table.getColumnParameters(3u), L"");
}

TEST(ValueTableData, NewLinePositions) {
  const auto build = [](unsigned position) {
    localValueTable table = tableOf({str(L"A"), str(L"B"), str(L"C")});
    table.newLine(position);
    return column(table, 1);
  };
  EXPECT_EQ(build(1), (std::vector<std::wstring>{L"0", L"A", L"B", L"C"}));
  EXPECT_EQ(build(2), (std::vector<std::wstring>{L"A", L"0", L"B", L"C"}));
  EXPECT_EQ(build(3), (std::vector<std::wstring>{L"A", L"B", L"C", L"0"}));  // n appends
  EXPECT_EQ(build(0), (std::vector<std::wstring>{L"A", L"B", L"C", L"0"}));
  EXPECT_EQ(build(4000000000u), (std::vector<std::wstring>{L"A", L"B", L"C", L"0"}));
}

// A table of several columns: a new column after the lines leaves every old cell where it
// was, an inserted line keeps each line's cells together, and sorting moves whole lines.
TEST(ValueTableData, WideTableKeepsEachLineTogether) {
  localValueTable table;
  table.newColumn(L"id");
  table.newColumn(L"key");
  localReturnStateType state = localErrorTypeOK;
  const wchar_t* const keys[] = {L"c", L"a", L"b"};
  for (unsigned line = 1; line <= 3; ++line) {
    table.newLine(0);
    table.setValue(state, line, 1, num(line));
    table.setValue(state, line, 2, str(keys[line - 1]));
  }
  EXPECT_EQ(table.newColumn(L"note"), 3u);
  EXPECT_TRUE(table.setValue(state, 3, 3, str(L"x")));
  EXPECT_EQ(grid(table), (std::vector<std::wstring>{L"1|c|~", L"2|a|~", L"3|b|x"}));
  table.newLine(2);
  EXPECT_TRUE(table.setValue(state, 2, 2, str(L"d")));
  EXPECT_EQ(grid(table), (std::vector<std::wstring>{L"1|c|~", L"~|d|~", L"2|a|~", L"3|b|x"}));
  CoutCapture capture;
  EXPECT_TRUE(table.sort(L"key"));
  EXPECT_EQ(grid(table), (std::vector<std::wstring>{L"2|a|~", L"3|b|x", L"1|c|~", L"~|d|~"}));
  EXPECT_EQ(capture.text(), sortTrace(1, 4));
}

// Past a megabyte the cells live in blocks mapped from the system: growing, widening and
// sorting move them between such blocks, and every cell (texts too) keeps its value.
TEST(ValueTableData, LargeTablesKeepTheirCellsAcrossBlocks) {
  constexpr unsigned lines = 60000;
  static_assert(lines * sizeof(localValueDescription) > localMappedAllocator<localValueDescription>::mappedFrom);
  localValueTable table;
  table.newColumn(L"n");
  localReturnStateType state = localErrorTypeOK;
  for (unsigned line = 1; line <= lines; ++line) {
    table.newLine(0);
    table.setValue(state, line, 1, line % 7 == 0 ? str(std::to_wstring(line)) : num(lines - line));
  }
  EXPECT_EQ(table.newColumn(L"m"), 2u);
  EXPECT_TRUE(table.setValue(state, 1, 2, num(1)));
  CoutCapture capture;
  EXPECT_TRUE(table.sort(L"m"));  // the first line goes last, every other moves up by one
  EXPECT_EQ(table.cellValue(lines - 1, 1).getNum(), 1);
  EXPECT_EQ(table.cellValue(lines - 1, 0).getNum(), lines - 1);
  EXPECT_EQ(table.cellValue(5, 0).getStr(), L"7");
  unsigned texts = 0;
  for (unsigned line = 0; line < lines; ++line) texts += table.cellValue(line, 0).getType() == localValueDescription::typeString;
  EXPECT_EQ(texts, lines / 7);
}

// A cell gives back every field of what was written into it, whether it holds a plain
// number in place or a value kept aside, and a place aside freed by a plain number serves
// the next value without disturbing a neighbour's.
TEST(ValueTableData, CellsKeepEveryFieldWritten) {
  localValueTable table = tableOf({num(1), num(2)});
  localValueDescription staleText = str(L"text");
  staleText.setVal(2.5);
  localValueDescription staleObject;
  staleObject.setVal(&table, nullptr);
  staleObject.setVal(3.0);
  localValueDescription truth = str(L"kept");
  truth.setBoo(true);
  const localValueDescription written[] = {num(7),      str(L"seven"), staleText, num(-0.0), staleObject,
                                           truth,       staleObject,   num(8),    str(L"x"), num(9)};
  localReturnStateType state = localErrorTypeOK;
  ASSERT_TRUE(table.setValue(state, 2, 1, str(L"neighbour")));
  for (const localValueDescription& value : written) {
    ASSERT_TRUE(table.setValue(state, 1, 1, value));
    localValueDescription read = str(L"old");
    ASSERT_TRUE(table.getValue(state, 1, 1, read));
    EXPECT_EQ(read.getType(), value.getType());
    EXPECT_EQ(std::signbit(read.getNum()), std::signbit(value.getNum()));
    EXPECT_EQ(read.getNum(), value.getNum());
    EXPECT_EQ(read.getStr(), value.getStr());
    EXPECT_EQ(read.getObj(), value.getObj());
    EXPECT_EQ(read.getClassDeclaration(), value.getClassDeclaration());
    EXPECT_EQ(table.cellValue(1, 0).getStr(), L"neighbour");
  }
  ASSERT_TRUE(table.setValue(state, 1, 1, staleText));
  ASSERT_TRUE(table.sort(L"K"));  // lines move with the values kept aside
  EXPECT_EQ(column(table, 1), (std::vector<std::wstring>{L"2.5", L"neighbour"}));
  EXPECT_EQ(table.cellValue(0, 0).getStr(), L"text");
}

TEST(ValueTableData, CellAccessInsideAndOutside) {
  localValueTable table = tableOf({num(1), num(2)});
  localReturnStateType state = localErrorTypeOK;
  localValueDescription value = str(L"kept");
  EXPECT_TRUE(table.setValue(state, 2, 1, str(L"two")));
  EXPECT_TRUE(table.getValue(state, 2, 1, value));
  EXPECT_EQ(value.getType(), localValueDescription::typeString);
  EXPECT_EQ(value.getStr(), L"two");
  EXPECT_EQ(state, localErrorTypeOK);
  const unsigned outside[][2] = {{0, 1}, {3, 1}, {1, 0}, {1, 2}, {4294967295u, 1}};
  for (const auto& cell : outside) {
    state = localErrorTypeOK;
    value = str(L"kept");
    EXPECT_FALSE(table.getValue(state, cell[0], cell[1], value));
    EXPECT_EQ(state, localErrorTypeINDEXoutOfBounds);
    EXPECT_EQ(value.getStr(), L"kept");
    state = localErrorTypeOK;
    EXPECT_FALSE(table.setValue(state, cell[0], cell[1], value));
    EXPECT_EQ(state, localErrorTypeINDEXoutOfBounds);
  }
}

TEST(ValueTableSort, OrdersByTextFormAndCountsSwaps) {
  localValueTable table = tableOf({num(10), num(9), num(100)});
  CoutCapture capture;
  EXPECT_TRUE(table.sort(L"K"));
  EXPECT_EQ(column(table, 1), (std::vector<std::wstring>{L"10", L"100", L"9"}));
  EXPECT_EQ(capture.text(), sortTrace(0, 1));
}

TEST(ValueTableSort, SortedTableAndReverseOrder) {
  {
    localValueTable table = tableOf({str(L"a"), str(L"b"), str(L"c")});
    CoutCapture capture;
    table.sort(L"K");
    EXPECT_EQ(capture.text(), sortTrace(0, 0));
  }
  {
    // Every pair is inverted: n(n-1)/2 adjacent swaps.
    localValueTable table = tableOf({str(L"e"), str(L"d"), str(L"c"), str(L"b"), str(L"a")});
    CoutCapture capture;
    table.sort(L"K");
    EXPECT_EQ(column(table, 1), (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"e"}));
    EXPECT_EQ(capture.text(), sortTrace(0, 10));
  }
}

TEST(ValueTableSort, StableWholeLinesByCharacterCode) {
  localValueTable table;
  table.newColumn(L"id");
  table.newColumn(L"key");
  const std::vector<std::pair<std::wstring, localValueDescription>> rows = {
      {L"1", str(L"b")}, {L"2", str(L"B")}, {L"3", str(L"b")}, {L"4", boo(true)}, {L"5", str(L"а")}, {L"6", str(L"B")}};
  localReturnStateType state = localErrorTypeOK;
  for (const auto& row : rows) {
    table.newLine(0);
    table.setValue(state, table.linesCnt(), 1, str(row.first));
    table.setValue(state, table.linesCnt(), 2, row.second);
  }
  CoutCapture capture;
  EXPECT_TRUE(table.sort(L"key"));
  // B < b < ИСТИНА < а (Latin before Cyrillic; capital И before small а); equal keys keep order.
  EXPECT_EQ(column(table, 1), (std::vector<std::wstring>{L"2", L"6", L"1", L"3", L"4", L"5"}));
  // One adjacent swap per strictly inverted pair: line 1 against lines 2 and 6, and
  // lines 3, 4 and 5 against line 6.
  EXPECT_EQ(capture.text(), sortTrace(1, 5));
}

TEST(ValueTableSort, UnknownColumnPrintsNothing) {
  localValueTable table = tableOf({num(2), num(1)});
  CoutCapture capture;
  EXPECT_FALSE(table.sort(L"k"));
  EXPECT_EQ(capture.text(), "");
  EXPECT_EQ(column(table, 1), (std::vector<std::wstring>{L"2", L"1"}));
}

// --- Methods through the EXEC function ---------------------------------------------

struct MethodCall {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  localValueDescription result;
  std::string printed;
};

class ValueTableMethods : public ::testing::Test {
 protected:
  void SetUp() override {
    void* none = nullptr;
    localReturnStateType state = localErrorTypeOK;
    ASSERT_TRUE(localValueTable::classImplementationMethodFunction(state, none, L"", nullptr, tableValue));
    table = static_cast<localValueTable*>(tableValue.getObj());
  }

  MethodCall call(const std::wstring& name, std::initializer_list<localValueDescription> values) {
    localOwnedValueList list = contextTest::args(values);
    return callWith(name, list.get());
  }
  MethodCall callWith(const std::wstring& name, localValueList* list) {
    MethodCall made;
    made.result = str(L"untouched");
    void* object = table;
    CoutCapture capture;
    made.ok = localValueTable::classImplementationMethodFunction(made.state, object, name, list, made.result);
    made.printed = capture.text();
    return made;
  }

  localValueDescription tableValue;
  localValueTable* table = nullptr;
};

TEST_F(ValueTableMethods, ConstructorAndDeclaration) {
  EXPECT_EQ(tableValue.getType(), localValueDescription::typeObject);
  EXPECT_EQ(tableValue.getClassName(), L"VALUETABLE");
  EXPECT_EQ(tableValue.getTypeName(), L"ТАБЛИЦАЗНАЧЕНИЙ");
  EXPECT_EQ(tableValue.toString(), L"Таблица значений [0:0] по адресу [" + localString::pointerToStdWString(table) + L"] ");

  const localClassDeclaration* declaration = tableValue.getClassDeclaration();
  EXPECT_EQ(declaration->description, L"класс ТаблицаЗначений");
  EXPECT_EQ(declaration->classImplementation, nullptr);
  // Constructor, TOSTRING, then English and Russian names of the nine other methods.
  ASSERT_EQ(declaration->members.size(), 20u);
  EXPECT_EQ(declaration->members[0]->name, L"");
  EXPECT_EQ(declaration->members[1]->name, L"TOSTRING");
  EXPECT_EQ(declaration->members[3]->name, L"ВЫБРАТЬСТРОКУ");
  EXPECT_EQ(declaration->members[19]->name, L"СОРТИРОВАТЬ");
  for (const localClassDeclaration::classMember* member : declaration->members) {
    EXPECT_EQ(member->execFunction, &localValueTable::classImplementationMethodFunction);
    EXPECT_EQ(member->getFunction, nullptr);
  }
  EXPECT_EQ(localValueTable::getClassDeclaration(), declaration);  // one for every table

  MethodCall made;
  void* none = nullptr;
  EXPECT_FALSE(localValueTable::classImplementationMethodFunction(made.state, none, L"LINESCNT", nullptr, made.result));
  EXPECT_EQ(made.state, localErrorTypeSTATICcallUnsupported);
}

TEST_F(ValueTableMethods, CellFailures) {
  MethodCall made = call(L"SETVALUE", {num(1), num(1), num(5)});
  EXPECT_FALSE(made.ok);
  EXPECT_EQ(made.state, localErrorTypeINDEXoutOfBounds);
  EXPECT_EQ(made.result.getType(), localValueDescription::typeBoolean);
  EXPECT_FALSE(made.result.getBoo());

  call(L"NEWCOLUMN", {str(L"Цена")});
  call(L"NEWLINE", {});
  made = call(L"GETVALUE", {num(1), str(L"ЦЕНА")});
  EXPECT_FALSE(made.ok);
  EXPECT_EQ(made.state, localErrorTypeINDEXoutOfBounds);
  EXPECT_EQ(made.result.getStr(), L"untouched");
  EXPECT_EQ(call(L"GETVALUE", {num(-1), num(1)}).state, localErrorTypeINDEXoutOfBounds);
  EXPECT_EQ(call(L"GETVALUE", {num(NAN), num(1)}).state, localErrorTypeINDEXoutOfBounds);
}

TEST_F(ValueTableMethods, ArgumentChecksCountFirst) {
  const struct {
    const wchar_t* name;
    std::vector<localValueDescription> arguments;
    localReturnStateType state;
  } rows[] = {
      {L"TOSTRING", {num(1)}, localErrorTypePARAMETERScount},
      {L"COLUMNCOUNT", {num(1)}, localErrorTypePARAMETERScount},
      {L"LINESCNT", {num(1)}, localErrorTypePARAMETERScount},
      {L"CHOOSELINE", {num(1)}, localErrorTypePARAMETERScount},
      {L"CHOOSELINE", {num(1), num(2)}, localErrorTypePARAMETERStype},
      {L"GETCOLUMNPARAMETERS", {}, localErrorTypePARAMETERScount},
      {L"GETCOLUMNPARAMETERS", {boo(true)}, localErrorTypePARAMETERStype},
      {L"GETVALUE", {num(1)}, localErrorTypePARAMETERScount},
      {L"GETVALUE", {str(L"1"), boo(true)}, localErrorTypePARAMETERStype},
      {L"GETVALUE", {num(1), boo(true)}, localErrorTypePARAMETERStype},
      {L"NEWCOLUMN", {}, localErrorTypePARAMETERScount},
      {L"NEWCOLUMN", {num(1)}, localErrorTypePARAMETERStype},
      {L"NEWLINE", {num(1), num(2)}, localErrorTypePARAMETERScount},
      {L"NEWLINE", {str(L"1")}, localErrorTypePARAMETERStype},
      {L"SETVALUE", {num(1), num(1)}, localErrorTypePARAMETERScount},
      {L"SETVALUE", {num(1), boo(false), num(1)}, localErrorTypePARAMETERStype},
      {L"SORT", {}, localErrorTypePARAMETERScount},
      {L"SORT", {num(1)}, localErrorTypePARAMETERStype},
      {L"NOSUCH", {}, localErrorTypeMETHODunknown},
      {L"", {}, localErrorTypeMETHODunknown},
  };
  for (const auto& row : rows) {
    localOwnedValueList list;
    for (const localValueDescription& value : row.arguments) list.add(std::make_unique<localValueDescription>(value));
    const MethodCall made = callWith(row.name, list.get());
    EXPECT_FALSE(made.ok) << localString::wstringToStdStringMultibyte(row.name);
    EXPECT_EQ(made.state, row.state) << localString::wstringToStdStringMultibyte(row.name);
    EXPECT_EQ(made.result.getStr(), L"untouched");
  }
  EXPECT_EQ(table->linesCnt(), 0u);
  EXPECT_EQ(table->columnCount(), 0u);
}

TEST_F(ValueTableMethods, ChooseLineAndSortResults) {
  localOwnedValueList list = contextTest::args({str(L"mine"), str(L"title")});
  MethodCall made = callWith(L"ВЫБРАТЬСТРОКУ", list.get());
  EXPECT_TRUE(made.ok);
  EXPECT_EQ(made.result.getNum(), 0);
  EXPECT_EQ(list[0]->getType(), localValueDescription::typeNumber);  // the caller's copy is reset
  EXPECT_EQ(made.printed, localString::wstringToStdStringMultibyte(
                              L" метод chooseLine() func: chooseLine file: localInterpretatorUTF8 line: 4176\n"
                              L" метод chooseLine() доступен только в графической версии! func: chooseLine file: "
                              L"localInterpretatorUTF8 line: 4211\n"));

  made = call(L"SORT", {str(L"none")});
  EXPECT_TRUE(made.ok);
  EXPECT_EQ(made.result.getType(), localValueDescription::typeBoolean);
  EXPECT_FALSE(made.result.getBoo());
  EXPECT_EQ(made.printed, "");
  call(L"NEWCOLUMN", {str(L"c")});
  made = call(L"СОРТИРОВАТЬ", {str(L"c")});
  EXPECT_TRUE(made.ok);
  EXPECT_TRUE(made.result.getBoo());
  EXPECT_EQ(made.printed, sortTrace(0, 0));
}

}  // namespace
