// FUNCTION name ( [param {, param}] ) block ENDFUNCTION ;  (PROCEDURE is the same)
// The body is compiled into its own tree and registered in the context at once; the
// declared parameters are read and checked, then dropped.
#include <vector>

#include "context/localContextUTF8.h"
#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localCompileSteps.h"
#include "text/localString.h"

namespace localCompile {

bool compileFunction(localReturnStateType& state, const std::wstring& text, unsigned& position,
                     localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  const std::wstring name = readUpperWord(text, position);
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (charAt(text, position) != L'(') {
    state = localErrorTypeSYNTAXexpectedOpenBracket;
    return false;
  }
  ++position;
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);

  // Every pass either reads a non-empty name or fails, so the list always ends.
  std::vector<argDeclaration> parameters;
  while (charAt(text, position) != L')') {
    if (!parameters.empty()) {
      if (charAt(text, position) != L',') {
        state = localErrorTypeSYNTAXexpectedOpenBracket;
        return false;
      }
      ++position;
    }
    localOwnedValueList values;
    if (!localInterpretatorUTF8::scanStringGetArgumentDescription(state, text, position, values, context)) {
      trace(L" Ошибка считывания аргумента !!!  func: ", 2453);
      return false;
    }
    parameters.push_back(argDeclaration{values[0]->getStr(), values[1]->getStr(), values[2]->getBoo()});
    localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  }
  ++position;  // the ")"
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);

  std::unique_ptr<localOperatorCompiled> body;
  if (!compileNestedBlock(state, text, position, context, block.executor, body)) return false;
  if (state != localErrorTypeENDFUNCTION) {
    state = localErrorTypeSYNTAXexpectedENDFUNCTION;
    return false;
  }
  state = localErrorTypeOK;
  if (context == nullptr || !context->funcAddAsOperatorCompiled(name, std::move(body))) {
    state = localErrorTypeCODE;
    return false;
  }
  return statementEnd(state, text, position, statementStart);
}

}  // namespace localCompile

bool localInterpretatorUTF8::scanStringGetArgumentDescription(localReturnStateType& state, const std::wstring& text,
                                                              unsigned& position, localOwnedValueList& values,
                                                              localContextUTF8* context) {
  const char* const operation = "scanStringGetArgumentDescription";
  values.clear();
  localValueDescription* name = values.add(localValueDescription::New(std::wstring()));
  localValueDescription* defaultText = values.add(localValueDescription::New(std::wstring()));
  values.add(localValueDescription::New(0.0));

  scanStringSkipVoidChars(text, position);
  const std::wstring word = scanStringGetWordToken(text, position);
  name->setVal(localString::wstringToUpper(word));
  localTrace(L"Arg name =[" + word + L"] func: ", operation, 1134);

  scanStringSkipVoidChars(text, position);
  if (localCompile::charAt(text, position) == L'=') {
    ++position;
    const unsigned expressionStart = position;
    if (!localCompile::checkExpression(state, text, position, context)) {
      localTrace(L"ERROR!!! func: ", operation, 1145);
      return false;
    }
    defaultText->setVal(localCompile::sourceBetween(text, expressionStart, position));
    localTrace(L"init expression [" + defaultText->getStr() + L"] func: ", operation, 1149);
  }
  if (localString::trimL(name->getStr()).empty()) {
    state = localErrorTypeCODE;
    return false;
  }
  return true;
}
