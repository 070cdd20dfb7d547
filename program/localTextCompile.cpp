// The program compiler: reads statement after statement and appends their nodes to a
// block. Nested blocks (branches, loop and function bodies) recurse into textCompile and
// end at any closing keyword, which they report to their caller as a signal in the state.
#include <optional>

#include "core/localInterrupt.h"
#include "core/localNestingGuard.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localCompileSteps.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

namespace {

std::optional<localReturnStateType> terminatorSignal(const std::wstring& word) {
  if (word == L"ELSE" || word == L"ИНАЧЕ") return localErrorTypeELSE;
  if (word == L"ELSEIF" || word == L"ИНАЧЕЕСЛИ") return localErrorTypeELSEIF;
  if (word == L"ENDDO" || word == L"КОНЕЦЦИКЛА") return localErrorTypeENDDO;
  if (word == L"ENDFUNCTION" || word == L"КОНЕЦФУНКЦИИ" || word == L"ENDPROCEDURE" || word == L"КОНЕЦПРОЦЕДУРЫ")
    return localErrorTypeENDFUNCTION;
  if (word == L"ENDIF" || word == L"КОНЕЦЕСЛИ") return localErrorTypeENDIF;
  return std::nullopt;
}

}  // namespace

bool localInterpretatorUTF8::textCompile(localReturnStateType& state, const std::wstring& text, unsigned& position,
                                         localContextUTF8* context, localOperatorCompiled*& block) {
  using namespace localCompile;
  if (block == nullptr) {
    trace(L"Для компиляции необходимо передавать уже инициализированный объект будущего влока, который "
          L"определяет функцию обработки  func: ",
          2183);
    state = localErrorTypeCODE;
    return false;
  }
  // Every nested block passes through here: bound the depth before the stack is.
  localNestingGuard guard(localNestingKind::block);
  const sourceScope scope(text);
  if (guard.tooDeep()) {
    trace(L"localErrorTypeCODE!!! слишком глубокая вложенность блоков func: ", 2190);
    state = localErrorTypeCODE;
    return false;
  }
  block->kind = localCompiledOperatorTypeBLOCK;
  block->children.clear();
  block->source = scope.source();
  block->place = sourcePlaceOf(position);

  for (;;) {
    if (position >= text.size()) return state == localErrorTypeOK;
    scanStringSkipVoidChars(text, position);
    if (position >= text.size()) return state == localErrorTypeOK;
    if (localInterruptStopsHere(state, "textCompile", 2193)) return false;
    const unsigned start = position;
    bool ok = false;
    if (text[start] == L'?') {
      ok = compilePrint(state, text, position, context, *block, start);
    } else {
      const std::wstring word = readUpperWord(text, position);
      if (word == L"PRINT") {
        ok = statementEnd(state, text, position, start);  // PRINT compiles to nothing
      } else if (const auto signal = terminatorSignal(word)) {
        state = *signal;
        return true;
      } else if (word == L"IF" || word == L"ЕСЛИ") {
        ok = compileIf(state, text, position, context, *block, start);
      } else if (word == L"FOR" || word == L"ДЛЯ") {
        ok = compileFor(state, text, position, context, *block, start);
      } else if (word == L"FUNCTION" || word == L"ФУНКЦИЯ" || word == L"PROCEDURE" || word == L"ПРОЦЕДУРА") {
        ok = compileFunction(state, text, position, context, *block, start);
      } else if (word == L"WHILE" || word == L"ПОКА") {
        ok = compileWhile(state, text, position, context, *block, start);
      } else if (word == L"RETURN" || word == L"ВОЗВРАТ") {
        ok = compileReturn(state, text, position, context);
      } else {
        ok = compileSimple(state, text, position, context, *block, start, word);
      }
    }
    if (!ok) return false;
  }
}

namespace localCompile {

bool compilePrint(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart) {
  ++position;  // the "?"
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  const unsigned expressionStart = position;
  if (!checkExpression(state, text, position, context)) {
    trace(L"ERROR!!! func: ", 2220);
    return false;
  }
  block.children.push_back(makeNode(block, localCompiledOperatorTypePRINT, statementStart, L"",
                                   sourceBetween(text, expressionStart, position), statementStart, expressionStart));
  return statementEnd(state, text, position, statementStart);
}

// RETURN is checked and reported but builds no node: it has no effect at run time.
bool compileReturn(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   localContextUTF8* context) {
  const unsigned expressionStart = position;
  if (!checkExpression(state, text, position, context)) {
    trace(L"ERROR!!! func: ", 2557);
    return false;
  }
  const std::wstring expression = sourceBetween(text, expressionStart, position);
  trace(L"wexpression1 =" + expression + L"ERROR!!! func: ", 2561);
  if (!consumeSemicolon(state, text, position)) return false;
  trace(L"wexpression1 =" + expression + L"ERROR!!! func: ", 2570);
  return true;
}

// A statement whose first word is no keyword: a console command, a call statement or
// an assignment.
bool compileSimple(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart,
                   const std::wstring& upperWord) {
  const unsigned afterWord = position;
  position = statementStart;
  if (!localInterpretatorUTF8::scanStringGetOperatorAndExec(state, text, position, context, true)) {
    trace(L" Ошибка компиляции запрограммированной команды (оператора) !!!  func: ", 2577);
    return false;
  }
  if (position == statementStart) position = afterWord;
  if (position != afterWord) {
    // The executor consumed more than the word: a console command, run again at run time.
    const std::wstring command = sourceBetween(text, statementStart, position);
    trace(L" Откомпилирована запрограммированная команда (оператор) [" + command + L"] !!!  func: ", 2584);
    block.children.push_back(
        makeNode(block, localCompiledOperatorTypeCOMMAND, 0, L"", command, statementStart, statementStart));
    return statementEnd(state, text, position, statementStart);
  }
  if (position >= text.size()) return statementEnd(state, text, position, statementStart);

  if (text[position] == L'(') {
    position = statementStart;
    if (!checkExpression(state, text, position, context))
      return reportStatementFailure(state, text, position, 2598, 2599);
    block.children.push_back(makeNode(block, localCompiledOperatorTypeEXPRESSION, 0, L"",
                                     sourceBetween(text, statementStart, position), statementStart, statementStart));
    return consumeSemicolon(state, text, position);
  }

  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (charAt(text, position) == L'=') {
    ++position;
    localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
    const unsigned expressionStart = position;
    if (!checkExpression(state, text, position, context))
      return reportStatementFailure(state, text, position, 2636, 2637);
    block.children.push_back(makeNode(block, localCompiledOperatorTypeEXPRESSION, statementStart, upperWord,
                                     sourceBetween(text, expressionStart, position), statementStart,
                                     expressionStart));
    return statementEnd(state, text, position, statementStart);
  }
  state = localErrorTypeSYNTAX;
  return false;
}

}  // namespace localCompile
