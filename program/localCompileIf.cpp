// IF cond THEN block { ELSEIF cond THEN block } [ ELSE block ] ENDIF ;
#include "interp/localInterpretatorUTF8.h"
#include "program/localCompileSteps.h"

namespace localCompile {

bool compileIf(localReturnStateType& state, const std::wstring& text, unsigned& position,
               localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart) {
  localOperatorCompiled ifNode(block.executor);
  ifNode.kind = localCompiledOperatorTypeIF;
  ifNode.position = statementStart;
  ifNode.source = currentSource();
  ifNode.place = sourcePlaceOf(statementStart);
  bool elseSeen = false;

  while (position < text.size()) {
    const unsigned branchStart = position;  // right after the keyword that opened the branch
    std::wstring condition;
    if (!elseSeen) {
      if (!checkExpression(state, text, position, context)) {
        trace(L"ERROR!!! func: ", 2276);
        return false;
      }
      condition = sourceBetween(text, branchStart, position);
      const std::wstring then = readUpperWord(text, position);
      if (then != L"THEN" && then != L"ТОГДА") {
        state = localErrorTypeSYNTAXexpectedTHEN;
        return false;
      }
    }
    std::unique_ptr<localOperatorCompiled> branch;
    if (!compileNestedBlock(state, text, position, context, ifNode.executor, branch)) return false;
    branch->position = branchStart;
    branch->text = condition;  // empty once ELSE was seen: such a branch is always selected
    // A branch stands where its condition does (its text starts at the keyword's end).
    unsigned conditionAt = branchStart;
    localInterpretatorUTF8::scanStringSkipVoidChars(text, conditionAt);
    branch->place = sourcePlaceOf(condition.empty() ? branchStart : conditionAt);
    branch->spans.push_back({0, static_cast<unsigned>(condition.size()), sourcePlaceOf(branchStart)});
    if (!condition.empty()) branch->parseText();
    ifNode.children.push_back(std::move(*branch));

    if (state == localErrorTypeELSE) elseSeen = true;
    if (state == localErrorTypeENDIF) break;
    // ELSEIF, but also a body closed by ENDDO or ENDFUNCTION or by the end of the text,
    // opens the next branch.
  }

  if (state != localErrorTypeENDIF) {
    state = localErrorTypeSYNTAXexpectedENDIF;
    return false;
  }
  state = localErrorTypeOK;
  block.children.push_back(std::move(ifNode));
  return statementEnd(state, text, position, statementStart);
}

}  // namespace localCompile
