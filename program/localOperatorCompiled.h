#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

class localContextUTF8;

enum localCompiledOperatorType : std::int32_t {
  localCompiledOperatorTypeNONE = 0,
  localCompiledOperatorTypeBLOCK = 1,
  localCompiledOperatorTypeCOMMAND = 2,
  localCompiledOperatorTypeEXPRESSION = 3,
  localCompiledOperatorTypeIF = 4,
  localCompiledOperatorTypeASSIGN = 5,
  localCompiledOperatorTypePRINT = 6,
  localCompiledOperatorTypeRENURN = 7,
  localCompiledOperatorTypeWHILE = 8,
};

// One declared parameter of a function or procedure (parsed, checked, then dropped).
struct argDeclaration {
  std::wstring name;
  std::wstring defaultText;
  bool flag = false;
};

// One node of a compiled program. It keeps the source text of its expression or command
// and hands it to the evaluator or the statement executor each time it runs.
class localOperatorCompiled {
 public:
  using executorType = bool (*)(localReturnStateType& state, localContextUTF8* context,
                                const localOperatorCompiled* node, localValueList* arguments,
                                localValueDescription& result);

  explicit localOperatorCompiled(executorType executorFunction = nullptr);

  static bool execute(localReturnStateType& state, localContextUTF8* context,
                      const localOperatorCompiled* node, localValueList* arguments,
                      localValueDescription& result);
  void COUT(const unsigned& indent) const;

  std::uint32_t position = 0;
  localCompiledOperatorType kind = localCompiledOperatorTypeNONE;
  std::wstring name;
  std::wstring text;
  std::vector<localOperatorCompiled> children;
  std::vector<argDeclaration*> argDeclarations;
  executorType executor;
};
