// WHILE cond DO block ENDDO ;   and   FOR v = first TO last DO block ENDDO ;
// A FOR loop becomes the start assignment and a WHILE node whose body ends with the step.
#include "interp/localInterpretatorUTF8.h"
#include "program/localCompileSteps.h"

namespace localCompile {

namespace {

bool readKeyword(const std::wstring& text, unsigned& position, const wchar_t* english, const wchar_t* russian) {
  const std::wstring word = readUpperWord(text, position);
  return word == english || word == russian;
}

// The loop body up to its ENDDO.
bool compileLoopBody(localReturnStateType& state, const std::wstring& text, unsigned& position,
                     localContextUTF8* context, const localOperatorCompiled& block,
                     std::unique_ptr<localOperatorCompiled>& body) {
  if (!compileNestedBlock(state, text, position, context, block.executor, body)) return false;
  if (state != localErrorTypeENDDO) {
    state = localErrorTypeSYNTAXexpectedENDDO;
    return false;
  }
  state = localErrorTypeOK;
  return true;
}

}  // namespace

bool compileFor(localReturnStateType& state, const std::wstring& text, unsigned& position,
                localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  const std::wstring variable = localInterpretatorUTF8::scanStringGetWordToken(text, position);
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (charAt(text, position) != L'=') {
    state = localErrorTypeSYNTAXexpectedEqual;
    return false;
  }
  ++position;
  const unsigned firstStart = position;
  if (!checkExpression(state, text, position, context)) {
    trace(L"ERROR!!! func: ", 2342);
    return false;
  }
  const std::wstring first = sourceBetween(text, firstStart, position);
  if (!readKeyword(text, position, L"TO", L"ПО")) {
    state = localErrorTypeSYNTAXexpectedTO;
    return false;
  }
  const unsigned lastStart = position;
  if (!checkExpression(state, text, position, context)) {
    trace(L"ERROR!!! func: ", 2358);
    return false;
  }
  const std::wstring last = sourceBetween(text, lastStart, position);
  if (!readKeyword(text, position, L"DO", L"ЦИКЛ")) {
    state = localErrorTypeSYNTAXexpectedDO;
    return false;
  }
  std::unique_ptr<localOperatorCompiled> body;
  if (!compileLoopBody(state, text, position, context, block, body)) return false;

  localOperatorCompiled loop =
      makeNode(block, localCompiledOperatorTypeWHILE, statementStart, L"", L"(" + variable + L"<=(" + last + L"))");
  loop.children.push_back(std::move(*body));
  loop.children.push_back(
      makeNode(block, localCompiledOperatorTypeEXPRESSION, statementStart, variable, variable + L"+1"));
  block.children.push_back(makeNode(block, localCompiledOperatorTypeEXPRESSION, statementStart, variable, first));
  block.children.push_back(std::move(loop));
  return statementEnd(state, text, position, statementStart);
}

bool compileWhile(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  const unsigned conditionStart = position;
  if (!checkExpression(state, text, position, context)) {
    trace(L"ERROR!!! func: ", 2499);
    return false;
  }
  const std::wstring condition = sourceBetween(text, conditionStart, position);
  if (!readKeyword(text, position, L"DO", L"ЦИКЛ")) {
    state = localErrorTypeSYNTAXexpectedDO;
    return false;
  }
  std::unique_ptr<localOperatorCompiled> body;
  if (!compileLoopBody(state, text, position, context, block, body)) return false;

  // The WHILE node of a WHILE statement keeps position 0.
  localOperatorCompiled loop = makeNode(block, localCompiledOperatorTypeWHILE, 0, L"", L"(" + condition + L")");
  loop.children.push_back(std::move(*body));
  block.children.push_back(std::move(loop));
  return statementEnd(state, text, position, statementStart);
}

}  // namespace localCompile
