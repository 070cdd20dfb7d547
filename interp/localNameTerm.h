#pragma once
// The three things a name term can be, as pieces that both the text scanner and the
// expression tree use: reading a variable, starting and following a member chain, and a
// call (of a function by name, or of a method ending a member chain). Each piece prints
// the same messages and sets the same states whoever calls it.
#include <string>
#include <string_view>

#include "context/localContextUTF8.h"
#include "core/localClassDeclaration.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

namespace localNameTerm {

// A plain variable: value becomes a copy of the variable's value.
bool readVariable(localReturnStateType& state, localContextUTF8* context, std::wstring_view word,
                  localValueDescription& value);

// The variable that opens a member chain must hold an object; value gets the object at
// once, since later evaluation (arguments) may create variables and move the record.
// position (right after the word) is shown in the failure lines.
bool startChain(localReturnStateType& state, localContextUTF8* context, std::wstring_view word,
                unsigned position, localValueDescription& value);

// One attribute step of a chain: value becomes the attribute upperName of its object.
bool readAttribute(localReturnStateType& state, localValueDescription& value, const std::wstring& upperName);

// A site (may be null) remembers what a name found, and serves that one name; see
// localNameSite.
// What a call is made on: a function by its name as written (found through site when
// there is one), or, when method is set, the method of that upper-cased name of the
// object that value holds (its member remembered in memberSite when there is one).
struct callee {
  std::wstring_view name;
  const std::wstring* method = nullptr;
  localNameSite* site = nullptr;
  localMemberSite* memberSite = nullptr;
};

// A call of a function by its name in any case: the few names the evaluator answers
// itself, then the functions of the context (found through site when there is one).
bool callFunction(localReturnStateType& state, localContextUTF8* context, localValueDescription& result,
                  std::wstring_view name, localValueList* arguments, localNameSite* site);

// The end of a call of a function by name that the context made (called is its answer):
// what callFunction does after the context returns; false, with the failure line
// printed, when the call failed.
bool functionCallFailed(localReturnStateType& state, bool called, std::wstring_view name);
inline bool endFunctionCall(localReturnStateType& state, bool called, std::wstring_view name) {
  if (called && state == localErrorTypeOK) return true;
  return functionCallFailed(state, called, name);
}

// Where a call stands in its text, for its failure lines: its ")", and where its name
// term began. One register's worth, so that a call passes all its arguments in registers.
struct callPlace {
  unsigned closePosition = 0;
  unsigned termStart = 0;
};

// call() for everything but a method whose member the call finds: functions, objects
// without that method, values that are no objects, each with its failure lines.
bool callGeneral(localReturnStateType& state, localContextUTF8* context, localValueDescription& value,
                 const callee& target, localValueList* arguments, callPlace place);
// A method call that failed, reported as call() reports it; always false.
bool methodFailed(localReturnStateType& state, const std::wstring& upperName, unsigned termStart);

// A method call on value with the evaluated arguments; the result goes over the object.
// A method the object's declaration has (found through site) runs at once: programs call
// them in their loops. Everything else (no object, no such method) goes the general way,
// with its failure lines at place.
[[gnu::always_inline]] inline bool callMethod(localReturnStateType& state, localContextUTF8* context,
                                              localValueDescription& value, const std::wstring& upperName,
                                              localMemberSite* site, localValueList* arguments,
                                              const callPlace& place) {
  const localClassDeclaration* declaration = value.getClassDeclaration();
  if (value.getType() == localValueDescription::typeObject && declaration != nullptr) {
    const localClassDeclaration::classMember* member = declaration->getMember(upperName, site);
    if (member != nullptr && member->execFunction != nullptr) {
      if (localClassDeclaration::runMethod(state, *member, value.getObj(), upperName, arguments, value)) return true;
      return methodFailed(state, upperName, place.termStart);
    }
  }
  return callGeneral(state, context, value, callee{upperName, &upperName, nullptr, site}, arguments, place);
}

// Makes the call with the evaluated arguments; the result goes into value (over the
// object for a method). closePosition is where the ")" stands, termStart where the name
// term began; both appear in the failure lines.
inline bool call(localReturnStateType& state, localContextUTF8* context, localValueDescription& value,
                 const callee& target, localValueList* arguments, unsigned closePosition, unsigned termStart) {
  if (target.method != nullptr)
    return callMethod(state, context, value, *target.method, target.memberSite, arguments,
                      callPlace{closePosition, termStart});
  return callGeneral(state, context, value, target, arguments, callPlace{closePosition, termStart});
}

}  // namespace localNameTerm
