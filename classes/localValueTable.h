#pragma once
#include <string>
#include <vector>

#include "core/localClassDeclaration.h"

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
  unsigned getColumnParameters(const std::wstring& name) const;
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

  // A new declaration on every call (kept alive for the rest of the run).
  static localClassDeclaration* getClassDeclaration();
  static bool classImplementationMethodFunction(localReturnStateType& state, void*& object,
                                                const std::wstring& name, localValueList* arguments,
                                                localValueDescription& result);

  std::vector<columnType> columns;
  std::vector<std::vector<localValueDescription>> lines;
};
