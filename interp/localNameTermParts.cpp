// The semantic pieces of a name term, shared by the text scanner and the expression tree.
#include <iostream>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localTrace.h"
#include "interp/localInterpTraceLines.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNameTerm.h"
#include "text/localString.h"

namespace {

const char* const nameTermOperation = "scanStringGetNameTokenAndEvaluete";

void printNotFound(std::wstring_view name, unsigned position, unsigned line) {
  localTrace(L"ERROR в scanStringGetNameTokenAndEvaluete() (variable not found " + std::wstring(name) +
                 L" ) position: " +
                 std::to_wstring(position) + L" func: ",
             nameTermOperation, line);
}

void printCallFailed(localReturnStateType state, std::wstring_view name, unsigned termStart) {
  localTrace(L"ERROR [" + localString::returnStateAsString(state) +
                 L"] в scanStringGetNameTokenAndEvaluete() funtion calling error :" + std::wstring(name) + L"() pos: " +
                 std::to_wstring(termStart) + L" func: ",
             nameTermOperation, localInterpTraceLine::callFailed);
}

// A member function that returned false without naming a failure must not pass for a success.
void markUnnamedFailure(localReturnStateType& state) {
  if (state == localErrorTypeOK) state = localErrorTypeCODE;
}

}  // namespace

namespace localNameTerm {

bool readVariable(localReturnStateType& state, localContextUTF8* context, std::wstring_view word,
                  localValueDescription& value) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  const localContextUTF8::variableDescription* variable = context->varGetPointer(word);
  if (variable == nullptr) {
    state = localErrorTypeVARIABLEunknown;
    return false;
  }
  value = variable->value;
  return true;
}

bool startChain(localReturnStateType& state, localContextUTF8* context, std::wstring_view word,
                unsigned position, localValueDescription& value) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  const localContextUTF8::variableDescription* variable = context->varGetPointer(word);
  if (variable == nullptr) {
    printNotFound(word, position, localInterpTraceLine::chainVariableMissing);
    state = localErrorTypeVARIABLEunknown;
    return false;
  }
  if (variable->value.getType() != localValueDescription::typeObject) {
    printNotFound(word, position, localInterpTraceLine::chainVariableNotObject);
    state = localErrorTypeTYPEunknown;
    return false;
  }
  value.setVal(variable->value.getObj(), variable->value.getClassDeclaration());
  return true;
}

// The value's own member access refuses a non-object (whose stale declaration must not
// be asked) and an object without a declaration.
bool readAttribute(localReturnStateType& state, localValueDescription& value, const std::wstring& upperName) {
  localValueDescription attribute;
  attribute.setVal(std::wstring());
  if (!value.getAttr(state, upperName, attribute)) {
    markUnnamedFailure(state);
    return false;
  }
  value = std::move(attribute);
  return true;
}

bool methodFailed(localReturnStateType& state, const std::wstring& upperName, unsigned termStart) {
  markUnnamedFailure(state);
  printCallFailed(state, upperName, termStart);
  return false;
}

bool callGeneral(localReturnStateType& state, localContextUTF8* context, localValueDescription& value,
                 const callee& target, localValueList* arguments, callPlace place) {
  bool called = true;
  if (target.method != nullptr) {
    if (value.getType() != localValueDescription::typeObject) {
      printNotFound(*target.method, place.closePosition, localInterpTraceLine::methodOnNonObject);
      state = localErrorTypeVALUEnotObject;
      return false;
    }
    // The method writes its result over the value that held the object.
    called = value.methodExec(state, *target.method, arguments, value, target.memberSite);
    if (!called) markUnnamedFailure(state);
  } else {
    called = callFunction(state, context, value, target.name, arguments, target.site);
  }
  if (!called) {
    printCallFailed(state, target.method != nullptr ? std::wstring_view(*target.method) : target.name,
                    place.termStart);
    return false;
  }
  return true;
}

}  // namespace localNameTerm
