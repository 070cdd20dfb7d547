#pragma once
// The variables pane of a stop: the context's variables with their kind and value, and a
// value table that opens into its lines and a line into its cells, named by column. The
// references the editor is given are good until the program goes on (forget()).
#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/localValueDescription.h"

class localValueTable;

namespace localDebug {
class debugger;
}

namespace localDapVariables {

using json = nlohmann::json;

// The reference of the one scope, the context's variables.
constexpr int contextScope = 1;

class references {
 public:
  // The variables under a reference (the scope, a table or a line), from `start`, at most
  // `count` of them (0: all). An unknown reference gives none.
  json variables(const localDebug::debugger& debugger, int reference, std::size_t start, std::size_t count);
  // One value as the pane shows it, with a reference of its own when it opens.
  json describe(const std::wstring& name, const localValueDescription& value);
  void forget() { opened_.clear(); }

 private:
  struct opened {
    const localValueTable* table = nullptr;
    unsigned line = 0;  // 0: the table's lines, else that line's cells (from 1)
  };
  int open(const localValueTable* table, unsigned line);

  std::vector<opened> opened_;  // reference contextScope + 1 + index
};

// The value table a value holds, or null.
const localValueTable* tableOf(const localValueDescription& value);

}  // namespace localDapVariables
