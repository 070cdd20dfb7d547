#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"
#include "program/localSourcePlace.h"

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

// The instruction list a node compiles into, made when the node first runs. A copy of a
// node starts without one: the code refers to the nodes it was compiled from.
class localCode;
class localCodeCache {
 public:
  localCodeCache() = default;
  localCodeCache(const localCodeCache&) {}
  localCodeCache& operator=(const localCodeCache&) {
    code.reset();
    return *this;
  }
  mutable std::shared_ptr<const localCode> code;
};

// One node of a compiled program. It keeps the source text of its expression or command;
// an expression (also a condition or a call statement) is parsed once into a tree, from
// which the program engine compiles the node's code; a command goes to the statement
// executor each time.
class localOperatorCompiled {
 public:
  using executorType = bool (*)(localReturnStateType& state, localContextUTF8* context,
                                const localOperatorCompiled* node, localValueList* arguments,
                                localValueDescription& result);

  explicit localOperatorCompiled(executorType executorFunction = nullptr);

  // Runs the node: its code (the program engine), or its text through the scanner when
  // the engine is switched to scanning.
  static bool execute(localReturnStateType& state, localContextUTF8* context,
                      const localOperatorCompiled* node, localValueList* arguments,
                      localValueDescription& result);
  // Runs the node by scanning its texts: the reference way, and what the engine falls
  // back on where it has no tree.
  static bool executeScanning(localReturnStateType& state, localContextUTF8* context,
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
  // Where the node comes from: the compiled text it is part of (0: none), the place of
  // the statement (or the condition) it stands for, and where the pieces of its text
  // stand in the source.
  std::uint32_t source = 0;
  localSourcePlace place;
  std::vector<localTextSpan> spans;

  // The place of the character at offset in text (the node's place when the compiler
  // made that character up).
  localSourcePlace placeAt(unsigned offset) const { return localPlaceInText(text, spans, offset, place); }

  // Parses text into tree; the compiler calls it once the kind, name and text are final.
  void parseText();
  // The node's code, compiled on first use.
  const localCode& code() const { return code_.code != nullptr ? *code_.code : compileCode(); }

 private:
  const localCode& compileCode() const;
  localCodeCache code_;
};
