// WHILE cond DO block ENDDO ;   and   FOR v = first TO last DO block ENDDO ;
// A FOR loop becomes the start assignment and a WHILE node whose body ends with the step.
#include "interp/localExpressionTree.h"
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
  const unsigned variableStart = position;
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
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  const unsigned toStart = position;
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

  // The loop tests (variable<=(last)) before each pass and steps variable = variable+1
  // after it. Those texts are made here, for the scanner and the trace lines; the tree of
  // the test is built from the parts, and every part keeps its place: the test stands at
  // TO, the variable and the bound where they are written, the step at the variable.
  const std::shared_ptr<const localExpressionTree> bound = localExpressionTree::parse(last);
  localOperatorCompiled loop(block.executor);
  loop.kind = localCompiledOperatorTypeWHILE;
  loop.position = statementStart;
  loop.text = L"(" + variable + L"<=(" + last + L"))";
  loop.tree = localExpressionTree::loopCondition(variable, bound.get());
  loop.source = currentSource();
  loop.place = sourcePlaceOf(toStart);
  const auto variableLength = static_cast<unsigned>(variable.size());
  loop.spans.push_back({1, variableLength, sourcePlaceOf(variableStart)});
  loop.spans.push_back({variableLength + 4, static_cast<unsigned>(last.size()), sourcePlaceOf(lastStart)});
  loop.children.push_back(std::move(*body));
  localOperatorCompiled step(block.executor);
  step.kind = localCompiledOperatorTypeEXPRESSION;
  step.position = statementStart;
  step.name = variable;
  step.text = variable + L"+1";
  step.parseText();
  step.source = currentSource();
  step.place = sourcePlaceOf(variableStart);
  loop.children.push_back(std::move(step));
  block.children.push_back(makeNode(block, localCompiledOperatorTypeEXPRESSION, statementStart, variable, first,
                                    statementStart, firstStart));
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

  // The WHILE node of a WHILE statement keeps position 0; its place is the statement's,
  // and its text, in brackets, maps back to the condition.
  localOperatorCompiled loop = makeNode(block, localCompiledOperatorTypeWHILE, 0, L"", L"(" + condition + L")",
                                        statementStart, conditionStart);
  loop.spans.front() = {1, static_cast<unsigned>(condition.size()), sourcePlaceOf(conditionStart)};
  loop.children.push_back(std::move(*body));
  block.children.push_back(std::move(loop));
  return statementEnd(state, text, position, statementStart);
}

}  // namespace localCompile
