// Name terms: variables, function calls, attribute chains and method calls of objects,
// and the argument lists of calls.
#include <iostream>
#include <memory>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localTrace.h"
#include "interp/localInterpTraceLines.h"
#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

namespace {

const char* const nameTermOperation = "scanStringGetNameTokenAndEvaluete";

void printNotFound(std::wstring_view name, unsigned position, unsigned line) {
  localTrace(L"ERROR в scanStringGetNameTokenAndEvaluete() (variable not found " + std::wstring(name) +
                 L" ) position: " +
                 std::to_wstring(position) + L" func: ",
             nameTermOperation, line);
}

void printCloseBracketExpected(unsigned position) {
  std::cout << localString::wstringToStdStringMultibyte(L"ожидается  ')' в позиции " + std::to_wstring(position))
            << "\n";
}

void printCallFailed(localReturnStateType state, std::wstring_view name, unsigned termStart) {
  localTrace(L"ERROR [" + localString::returnStateAsString(state) +
                 L"] в scanStringGetNameTokenAndEvaluete() funtion calling error :" + std::wstring(name) + L"() pos: " +
                 std::to_wstring(termStart) + L" func: ",
             nameTermOperation, localInterpTraceLine::callFailed);
}

void printParameterExpected(unsigned position) {
  std::cout << localString::wstringToStdStringMultibyte(
                   L"Error scanStringGetNameTokenAndEvaluete() ожидается  параметр в позиции " +
                   std::to_wstring(position))
            << "\n";
}

// A member function that returned false without naming a failure must not pass for a success.
void markUnnamedFailure(localReturnStateType& state) {
  if (state == localErrorTypeOK) state = localErrorTypeCODE;
}

// Reads one attribute of the object that value holds and makes value that attribute.
// The value's own member access refuses a non-object (whose stale declaration must not
// be asked) and an object without a declaration.
bool readAttribute(localReturnStateType& state, localValueDescription& value, const std::wstring& member) {
  localValueDescription attribute;
  attribute.setVal(std::wstring());
  if (!value.getAttr(state, member, attribute)) {
    markUnnamedFailure(state);
    return false;
  }
  value = std::move(attribute);
  return true;
}

}  // namespace

bool localInterpretatorUTF8::scanStringGetNameTokenAndEvaluete(localReturnStateType& state,
                                                              const std::wstring& text, unsigned& position,
                                                              localValueDescription& value,
                                                              localContextUTF8* context, bool checkOnly) {
  scanStringSkipVoidChars(text, position);
  const unsigned termStart = position;
  const std::wstring_view word = scanStringGetWordView(text, position);

  std::wstring member;  // the method name when the call ends an attribute chain
  bool isMethod = false;

  if (localString::charAt(text, position) == L'.') {
    if (!checkOnly) {
      if (context == nullptr) {
        state = localErrorTypeCONTEXTmissing;
        return false;
      }
      // Copy the value out at once: later evaluation may create variables and move the record.
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
    }
    while (localString::charAt(text, position) == L'.') {
      ++position;
      std::wstring name(scanStringGetWordView(text, position));
      for (wchar_t& c : name) c = localString::wcharToUpper(c);
      if (localString::charAt(text, position) == L'(') {
        member = std::move(name);
        isMethod = true;
        break;
      }
      if (!checkOnly && !readAttribute(state, value, name)) return false;
    }
    if (!isMethod) return true;
  }

  if (localString::charAt(text, position) == L'(') {
    ++position;
    localOwnedValueList arguments;
    if (!scanStringGetListOfValueDescriptions(state, text, position, arguments, context, checkOnly)) return false;
    if (localString::charAt(text, position) != L')') {
      printCloseBracketExpected(position);
      state = localErrorTypeSYNTAXexpectedCloseBracket;
      return false;
    }
    bool called = true;
    if (checkOnly) {
      value.setVal(1.0);
    } else if (isMethod) {
      if (value.getType() != localValueDescription::typeObject) {
        printNotFound(member, position, localInterpTraceLine::methodOnNonObject);
        state = localErrorTypeVALUEnotObject;
        return false;
      }
      // The method writes its result over the value that held the object.
      called = value.methodExec(state, member, arguments.get(), value);
      if (!called) markUnnamedFailure(state);
    } else {
      called = functionEvaluate(state, context, value, word, arguments.get());
    }
    arguments.clear();
    if (!called) {
      printCallFailed(state, isMethod ? std::wstring_view(member) : word, termStart);
      return false;
    }
    ++position;
    return true;
  }

  // A plain variable.
  if (checkOnly) return true;
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

bool localInterpretatorUTF8::scanStringGetListOfValueDescriptions(localReturnStateType& state,
                                                                 const std::wstring& text, unsigned& position,
                                                                 localOwnedValueList& list,
                                                                 localContextUTF8* context, bool checkOnly) {
  list.clear();
  bool argumentRead = false;
  bool commaPending = false;
  for (;;) {
    if (position >= text.size()) return true;  // the caller reports the missing ')'
    scanStringSkipVoidChars(text, position);
    if (localString::charAt(text, position) == L')') {
      if (commaPending) {
        printParameterExpected(position);
        state = localErrorTypeSYNTAX;
        return false;
      }
      return true;
    }
    if (argumentRead && !commaPending && localString::charAt(text, position) == L',') {
      ++position;
      commaPending = true;
      continue;
    }
    const unsigned argumentStart = position;
    localValueDescription& argument = list.emplace();  // the number 0
    if (!scanStringGetExpressionAndEvaluete(state, text, position, argument, context, checkOnly)) return false;
    if (position == argumentStart) {
      // An operand that consumes nothing (a character no token can start with) would
      // otherwise be read again and again.
      state = localErrorTypeSYNTAX;
      return false;
    }
    argumentRead = true;
    commaPending = false;
  }
}
