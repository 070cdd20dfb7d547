#pragma once
#include <string>
#include <string_view>

#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

class localContextUTF8;
class localOperatorCompiled;

// Binary operators; the value is also the precedence (larger binds tighter).
enum localPossibleBinaryOperation : std::int32_t {
  localPossibleBinaryOperationNONE = 0,
  localPossibleBinaryOperationEQUAL = 1,
  localPossibleBinaryOperationNOTEQUAL = 2,
  localPossibleBinaryOperationGREATEROREQUAL = 3,
  localPossibleBinaryOperationGREATER = 4,
  localPossibleBinaryOperationLESSOREQUAL = 5,
  localPossibleBinaryOperationLESS = 6,
  localPossibleBinaryOperationMINUS = 7,
  localPossibleBinaryOperationPLUS = 8,
  localPossibleBinaryOperationDIVIDE = 9,
  localPossibleBinaryOperationMULTIPLY = 10,
};

// Groups the static operations of the interpreter; no object of it is made.
// Implementations live in the folder of their subsystem:
//   app/ console; shell/ executor and help; interp/ scanners, evaluator, names;
//   program/ compiler and program run.
class localInterpretatorUTF8 {
 public:
  localInterpretatorUTF8() = delete;

  // --- Console (app/) ---------------------------------------------------------------
  static void console();

  // --- Statement and command executor, help (shell/) -----------------------------------
  static bool scanStringGetOperatorAndExec(localReturnStateType& state, const std::wstring& text,
                                           unsigned& position, localContextUTF8* context,
                                           bool checkOnly);
  static bool wordCorrespondsTo(const std::wstring& word, const std::wstring& keyword);
  static std::wstring scanStringGetFilenameToken(localReturnStateType& state, const std::wstring& text,
                                                 unsigned& position);
  static void help();

  // --- Scanners (interp/) ---------------------------------------------------------------
  // Skips blanks, line ends and "//" comments. Inline for the common case of a call that
  // stands at a token already: only blanks, the line feed (and other control characters)
  // and '/' can start something to skip.
  static void scanStringSkipVoidChars(const std::wstring& text, unsigned& position) {
    if (position >= text.size()) return;
    const wchar_t c = text[position];
    if (c > L'/' || (c > L' ' && c != L'/')) return;
    scanStringSkipVoidCharsFrom(text, position);
  }
  static void scanStringSkipVoidCharsFrom(const std::wstring& text, unsigned& position);
  static std::wstring scanStringGetWordToken(const std::wstring& text, unsigned& position);
  // The same token as a view into text (no copy); valid while text is.
  static std::wstring_view scanStringGetWordView(const std::wstring& text, unsigned& position);
  static bool scanStringGetNumberTokenAndEvaluete(const std::wstring& text, unsigned& position,
                                                  localValueDescription& value);
  static bool scanStringGetStringTokenAndEvaluete(const std::wstring& text, unsigned& position,
                                                  localValueDescription& value);
  static localPossibleBinaryOperation scanStringGetBinaryOperation(const std::wstring& text,
                                                                   unsigned& position);
  // Where the operator just read stands: position is where scanStringGetBinaryOperation
  // left it.
  static unsigned binaryOperationStart(unsigned position, localPossibleBinaryOperation operation) {
    const bool twoCharacters = operation == localPossibleBinaryOperationLESSOREQUAL ||
                               operation == localPossibleBinaryOperationGREATEROREQUAL ||
                               operation == localPossibleBinaryOperationNOTEQUAL;
    return position - (twoCharacters ? 2u : 1u);
  }

  // --- Expressions (interp/) ------------------------------------------------------------
  static bool scanStringGetExpressionAndEvaluete(localReturnStateType& state, const std::wstring& text,
                                                 unsigned& position, localValueDescription& result,
                                                 localContextUTF8* context, bool checkOnly);
  // Evaluates the expression and stores its value into the variable name (created when
  // missing); nothing is stored when the evaluation fails. When the expression starts
  // with that variable (`s = s + t`), its last operation works on the variable in place.
  static bool scanStringGetExpressionAndStore(localReturnStateType& state, const std::wstring& text,
                                              unsigned& position, localContextUTF8* context,
                                              const std::wstring& name);
  static bool scanStringGetOperandAndEvaluete(localReturnStateType& state, const std::wstring& text,
                                              unsigned& position, localValueDescription& value,
                                              localContextUTF8* context, bool checkOnly);
  static bool binaryOperationByEnumEvaluate(localReturnStateType& state, localValueDescription& result,
                                            localPossibleBinaryOperation operation,
                                            const localValueDescription& left,
                                            const localValueDescription& right);

  // --- Names, calls, members (interp/) --------------------------------------------------
  static bool scanStringGetNameTokenAndEvaluete(localReturnStateType& state, const std::wstring& text,
                                                unsigned& position, localValueDescription& value,
                                                localContextUTF8* context, bool checkOnly);
  static bool scanStringGetListOfValueDescriptions(localReturnStateType& state, const std::wstring& text,
                                                   unsigned& position, localOwnedValueList& list,
                                                   localContextUTF8* context, bool checkOnly);
  static bool functionEvaluate(localReturnStateType& state, localContextUTF8* context,
                               localValueDescription& result, std::wstring_view name,
                               localValueList* list);

  // --- Programs (program/) --------------------------------------------------------------
  static bool textCompile(localReturnStateType& state, const std::wstring& text, unsigned& position,
                          localContextUTF8* context, localOperatorCompiled*& block);
  static bool scanStringGetArgumentDescription(localReturnStateType& state, const std::wstring& text,
                                               unsigned& position, localOwnedValueList& values,
                                               localContextUTF8* context);
  static bool textExec(localReturnStateType& state, const std::wstring& text, localContextUTF8* context);
};
