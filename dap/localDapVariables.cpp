#include "dap/localDapVariables.h"

#include "classes/localValueTable.h"
#include "debug/localDebugger.h"
#include "text/localUtf8.h"

namespace localDapVariables {

namespace {

std::string utf8(const std::wstring& text) { return localString::wstringToUtf8(text); }

}  // namespace

const localValueTable* tableOf(const localValueDescription& value) {
  if (value.getType() != localValueDescription::typeObject || value.getObj() == nullptr) return nullptr;
  const localClassDeclaration* declaration = value.getClassDeclaration();
  if (declaration == nullptr || declaration->className != L"VALUETABLE") return nullptr;
  return static_cast<const localValueTable*>(value.getObj());
}

int references::open(const localValueTable* table, unsigned line) {
  for (std::size_t i = 0; i < opened_.size(); ++i) {
    if (opened_[i].table == table && opened_[i].line == line) return contextScope + 1 + static_cast<int>(i);
  }
  opened_.push_back({table, line});
  return contextScope + static_cast<int>(opened_.size());
}

json references::describe(const std::wstring& name, const localValueDescription& value) {
  json item = {{"name", utf8(name)},
               {"type", utf8(localDebug::kindName(value.getType()))},
               {"value", utf8(value.toString())},
               {"variablesReference", 0}};
  if (const localValueTable* table = tableOf(value)) {
    item["value"] = utf8(value.getClassName() + L" (строк: " + std::to_wstring(table->linesCnt()) +
                         L", колонок: " + std::to_wstring(table->columnCount()) + L")");
    item["variablesReference"] = open(table, 0);
    item["indexedVariables"] = table->linesCnt();
  }
  return item;
}

json references::variables(const localDebug::debugger& debugger, int reference, std::size_t start,
                           std::size_t count) {
  json list = json::array();
  const auto wanted = [&](std::size_t index) { return index >= start && (count == 0 || index < start + count); };
  if (reference == contextScope) {
    std::size_t index = 0;
    for (const localDebug::variable& variable : debugger.variables()) {
      localValueDescription value;
      if (wanted(index++) && debugger.value(variable.name, value)) list.push_back(describe(variable.name, value));
    }
    return list;
  }
  const std::size_t at = static_cast<std::size_t>(reference - contextScope - 1);
  if (reference <= contextScope || at >= opened_.size()) return list;
  const opened shown = opened_[at];  // describe() may grow opened_
  const localValueTable& table = *shown.table;
  if (shown.line == 0) {
    for (unsigned line = 1; line <= table.linesCnt(); ++line) {
      if (!wanted(line - 1)) continue;
      list.push_back({{"name", "[" + std::to_string(line) + "]"},
                      {"value", utf8(L"строка " + std::to_wstring(line))},
                      {"variablesReference", open(shown.table, line)}});
    }
    return list;
  }
  // The table may have changed since the reference was given: only cells that exist.
  for (unsigned column = 1; column <= table.columnCount(); ++column) {
    localReturnStateType state = localErrorTypeOK;
    localValueDescription cell;
    if (!table.hasCell(shown.line, column) || !wanted(column - 1) || !table.getValue(state, shown.line, column, cell))
      continue;
    list.push_back(describe(table.getColumnParameters(column), cell));
  }
  return list;
}

}  // namespace localDapVariables
