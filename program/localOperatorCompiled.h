#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

class localExpressionTree;

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

// One node of a compiled program. It keeps the source text of its expression or command;
// an expression (also a condition or a call statement) is parsed once into a tree that
// runs in place of the text, a command goes to the statement executor each time.
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
  // The parsed expression of text, shared by copies of the node; null when the text is
  // scanned at every run (commands, texts the tree does not take).
  std::shared_ptr<const localExpressionTree> tree;
  // The statements a block may run directly, without the layers of their kind: an
  // assignment of a numeric expression (localExpressionTree::numeric), an assignment or
  // expression that is a direct method call (localExpressionTree::directMethodCall), a
  // statement that only calls a function without arguments (localExpressionTree::bareCall),
  // an assignment that appends to a string (localExpressionTree::appendForm; numeric
  // stores of that form try it too).
  enum class shortcutKind : unsigned char { none, numericStore, methodCall, functionCall, appendText };
  shortcutKind shortcut = shortcutKind::none;
  // Where the variable the node stores into was found last time.
  mutable localNameSite storeSite;

  // Parses text into tree; the compiler calls it once the kind, name and text are final.
  void parseText();
  // Evaluates the node's expression into a fresh value (the number 0): through the tree, or
  // by scanning the text. After a failure value may hold part of the work.
  bool evaluateText(localReturnStateType& state, localContextUTF8* context, localValueDescription& value) const;
};
