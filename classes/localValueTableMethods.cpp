// The value table as scripts see it: its declaration and the one EXEC function that
// serves the constructor and every method.
#include <array>
#include <iterator>
#include <memory>
#include <string_view>
#include <utility>

#include "classes/localClassMethodTable.h"
#include "classes/localValueTable.h"
#include "classes/localValueTableCells.h"
#include "core/localIntegerConversion.h"
#include "core/localKeepAlive.h"
#include "text/localString.h"

namespace {

using method = bool (*)(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
                        localValueDescription& result);

bool isNumber(const localValueDescription* value) {
  return value != nullptr && value->getType() == localValueDescription::typeNumber;
}
bool isString(const localValueDescription* value) {
  return value != nullptr && value->getType() == localValueDescription::typeString;
}

bool toText(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
            localValueDescription& result) {
  if (!arguments.empty()) return localMethodFails(state, localErrorTypePARAMETERScount);
  result.setVal(L"Таблица значений [" + localString::doubleToStdWString(table.linesCnt()) + L":" +
                localString::doubleToStdWString(table.columnCount()) + L"] по адресу [" +
                localString::pointerToStdWString(&table) + L"] ");
  return true;
}

bool chooseLine(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
                localValueDescription& result) {
  if (arguments.size() != 2) return localMethodFails(state, localErrorTypePARAMETERScount);
  if (arguments[0] == nullptr || !isString(arguments[1])) return localMethodFails(state, localErrorTypePARAMETERStype);
  table.chooseLine(arguments[1]->getStrRef());
  // The list holds the caller's copies: no variable changes.
  arguments[0]->setVal(0.0);
  result.setVal(0.0);
  return true;
}

bool columnCount(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
                 localValueDescription& result) {
  if (!arguments.empty()) return localMethodFails(state, localErrorTypePARAMETERScount);
  localValueTableCells::countColumns(table, result);
  return true;
}

bool linesCount(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
                localValueDescription& result) {
  if (!arguments.empty()) return localMethodFails(state, localErrorTypePARAMETERScount);
  localValueTableCells::countLines(table, result);
  return true;
}

bool columnParameters(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
                      localValueDescription& result) {
  if (arguments.size() != 1) return localMethodFails(state, localErrorTypePARAMETERScount);
  if (isString(arguments[0])) {
    result.setVal(static_cast<double>(table.getColumnParameters(arguments[0]->getStrView())));
  } else if (isNumber(arguments[0])) {
    result.setVal(table.getColumnParameters(localTruncateToUint32Modulo(arguments[0]->getNum())));
  } else {
    return localMethodFails(state, localErrorTypePARAMETERStype);
  }
  return true;
}

// The two cell methods are inline in the members bound to them: programs call them in
// their loops. The cell work is localValueTableCells', which the program engine runs too.
[[gnu::always_inline]] inline bool getValue(localReturnStateType& state, localValueTable& table,
                                            const localValueList& arguments, localValueDescription& result) {
  if (arguments.size() != 2) return localMethodFails(state, localErrorTypePARAMETERScount);
  if (!isNumber(arguments[0])) return localMethodFails(state, localErrorTypePARAMETERStype);
  if (!isNumber(arguments[1]) && !isString(arguments[1])) return localMethodFails(state, localErrorTypePARAMETERStype);
  const unsigned line = localValueTableCells::indexOf(*arguments[0]);
  const unsigned column = localValueTableCells::columnOf(table, *arguments[1]);
  if (!table.hasCell(line, column)) return localMethodFails(state, localErrorTypeINDEXoutOfBounds);
  localValueTableCells::read(table, line, column, result);
  return true;
}

bool newColumn(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
               localValueDescription& result) {
  if (arguments.size() != 1) return localMethodFails(state, localErrorTypePARAMETERScount);
  if (!isString(arguments[0])) return localMethodFails(state, localErrorTypePARAMETERStype);
  result.setVal(static_cast<double>(table.newColumn(arguments[0]->getStrRef())));
  return true;
}

bool newLine(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
             localValueDescription& result) {
  if (arguments.size() > 1) return localMethodFails(state, localErrorTypePARAMETERScount);
  unsigned position = 0;
  if (arguments.size() == 1) {
    if (!isNumber(arguments[0])) return localMethodFails(state, localErrorTypePARAMETERStype);
    position = localValueTableCells::indexOf(*arguments[0]);
  }
  localValueTableCells::addLine(table, position, result);
  return true;
}

[[gnu::always_inline]] inline bool setValue(localReturnStateType& state, localValueTable& table,
                                            const localValueList& arguments, localValueDescription& result) {
  if (arguments.size() != 3) return localMethodFails(state, localErrorTypePARAMETERScount);
  if (!isNumber(arguments[0])) return localMethodFails(state, localErrorTypePARAMETERStype);
  if (!isNumber(arguments[1]) && !isString(arguments[1])) return localMethodFails(state, localErrorTypePARAMETERStype);
  if (arguments[2] == nullptr) return localMethodFails(state, localErrorTypePARAMETERStype);
  const unsigned line = localValueTableCells::indexOf(*arguments[0]);
  const unsigned column = localValueTableCells::columnOf(table, *arguments[1]);
  if (!table.hasCell(line, column)) {
    result.setBoo(false);
    return localMethodFails(state, localErrorTypeINDEXoutOfBounds);
  }
  localValueTableCells::write(table, line, column, *arguments[2]);
  result.setBoo(true);
  return true;
}

bool sortLines(localReturnStateType& state, localValueTable& table, const localValueList& arguments,
               localValueDescription& result) {
  if (arguments.size() != 1) return localMethodFails(state, localErrorTypePARAMETERScount);
  if (!isString(arguments[0])) return localMethodFails(state, localErrorTypePARAMETERStype);
  // An unknown column is no failure: the result tells. An interrupted sort is one.
  localReturnStateType sortState = localErrorTypeOK;
  const bool found = table.sort(arguments[0]->getStrRef(), &sortState);
  if (sortState != localErrorTypeOK) return localMethodFails(state, sortState);
  result.setBoo(found);
  return true;
}

using methodEntry = localClassMethod<method>;

// In declaration order. СТРОКА is accepted here but has no member of its own.
constexpr methodEntry methods[] = {
    {L"TOSTRING", L"СТРОКА", toText},
    {L"CHOOSELINE", L"ВЫБРАТЬСТРОКУ", chooseLine},
    {L"COLUMNCOUNT", L"КОЛИЧЕСТВОКОЛОНОК", columnCount},
    {L"GETCOLUMNPARAMETERS", L"ПОЛУЧИТЬПАРАМЕТРЫКОЛОНКИ", columnParameters},
    {L"GETVALUE", L"ПОЛУЧИТЬЗНАЧЕНИЕ", getValue},
    {L"LINESCNT", L"КОЛИЧЕСТВОСТРОК", linesCount},
    {L"NEWCOLUMN", L"НОВАЯКОЛОНКА", newColumn},
    {L"NEWLINE", L"НОВАЯСТРОКА", newLine},
    {L"SETVALUE", L"УСТАНОВИТЬЗНАЧЕНИЕ", setValue},
    {L"SORT", L"СОРТИРОВАТЬ", sortLines},
};

// What a method sees when the caller hands over no list.
const localValueList noArguments;

// A method on an object, its row found: what the EXEC function does once it has the row.
[[gnu::always_inline]] inline bool runMethod(localReturnStateType& state, void* object, method run,
                                             localValueList* arguments, localValueDescription& result) {
  state = localErrorTypeOK;
  if (object == nullptr) return localMethodFails(state, localErrorTypeSTATICcallUnsupported);
  const localValueList& list = arguments != nullptr ? *arguments : noArguments;
  return run(state, *static_cast<localValueTable*>(object), list, result);
}

// The same for the member of one row, with the row's function compiled in: a call from a
// program reaches the method in one step.
template <std::size_t Row>
bool runBound(localReturnStateType& state, void* object, const void*, localValueList* arguments,
              localValueDescription& result) {
  return runMethod(state, object, methods[Row].run, arguments, result);
}

template <std::size_t... Rows>
constexpr std::array<localBoundMethod, sizeof...(Rows)> boundRows(std::index_sequence<Rows...>) {
  return {runBound<Rows>...};
}
constexpr auto bound = boundRows(std::make_index_sequence<std::size(methods)>());

// A member for one of the names of a row, bound to that row.
void addMethod(localClassDeclaration& declaration, std::wstring_view name, std::size_t row) {
  localClassDeclaration::classMember* member = declaration.addMember(
      std::wstring(name), &localValueTable::classImplementationMethodFunction, nullptr, nullptr);
  member->boundFunction = bound[row];
  member->boundRow = &methods[row];
}

// The rows of the methods with a cell routine, in the order of localValueTableCells::method.
constexpr std::size_t cellRows[] = {4, 8, 5, 2, 7};
static_assert(methods[cellRows[0]].run == getValue && methods[cellRows[1]].run == setValue &&
              methods[cellRows[2]].run == linesCount && methods[cellRows[3]].run == columnCount &&
              methods[cellRows[4]].run == newLine);

}  // namespace

localValueTableCells::method localValueTableCells::methodNamed(std::wstring_view upperName) {
  for (std::size_t which = 0; which < std::size(cellRows); ++which) {
    const methodEntry& row = methods[cellRows[which]];
    if (upperName == row.english || upperName == row.russian) return static_cast<method>(which);
  }
  return method::none;
}

bool localValueTableCells::isOwnMember(const localClassDeclaration::classMember* member, method which) {
  return member != nullptr && which != method::none &&
         member->boundRow == &methods[cellRows[static_cast<std::size_t>(which)]];
}

namespace {

localClassDeclaration* createClassDeclaration() {
  auto declaration = std::make_unique<localClassDeclaration>();
  declaration->className = L"VALUETABLE";
  declaration->classSynonym = L"ТАБЛИЦАЗНАЧЕНИЙ";
  declaration->description = L"класс ТаблицаЗначений";
  declaration->addMember(L"", &localValueTable::classImplementationMethodFunction, nullptr, nullptr);
  for (std::size_t row = 0; row < std::size(methods); ++row) {
    addMethod(*declaration, methods[row].english, row);
    // TOSTRING alone has no Russian member.
    if (row != 0) addMethod(*declaration, methods[row].russian, row);
  }
  return declaration.release();  // the caller owns it
}

}  // namespace

localClassDeclaration* localValueTable::getClassDeclaration() {
  // One declaration for the whole run, shared by every table and every registration: it
  // never changes once built, and a declaration of its own made each table 6.7 KB larger.
  static const std::unique_ptr<localClassDeclaration> shared(createClassDeclaration());
  return shared.get();
}

bool localValueTable::classImplementationMethodFunction(localReturnStateType& state, void*& object,
                                                        const std::wstring& name, localValueList* arguments,
                                                        localValueDescription& result) {
  state = localErrorTypeOK;
  if (object == nullptr) {
    if (!name.empty()) return localMethodFails(state, localErrorTypeSTATICcallUnsupported);
    localValueTable* created = localKeepAlive(std::make_unique<localValueTable>());
    result.setVal(created, getClassDeclaration());
    return true;
  }
  const methodEntry* entry = localFindClassMethod(methods, name);
  if (entry == nullptr) return localMethodFails(state, localErrorTypeMETHODunknown);
  return runMethod(state, object, entry->run, arguments, result);
}
