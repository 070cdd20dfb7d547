#pragma once
// The three things a name term can be, as pieces that both the text scanner and the
// expression tree use: reading a variable, starting and following a member chain, and a
// call (of a function by name, or of a method ending a member chain). Each piece prints
// the same messages and sets the same states whoever calls it.
#include <string>

#include "context/localContextUTF8.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

namespace localNameTerm {

using variableSite = localNameSite<localContextUTF8::variableDescription>;
using functionSite = localNameSite<localContextUTF8::functionDescription>;

// A site (may be null) remembers the record a name found; see localNameSite.

// A plain variable: value becomes a copy of the variable's value.
bool readVariable(localReturnStateType& state, localContextUTF8* context, const std::wstring& word,
                  localValueDescription& value, variableSite* site = nullptr);

// The variable that opens a member chain must hold an object; value gets the object at
// once, since later evaluation (arguments) may create variables and move the record.
// position (right after the word) is shown in the failure lines.
bool startChain(localReturnStateType& state, localContextUTF8* context, const std::wstring& word,
                unsigned position, localValueDescription& value, variableSite* site = nullptr);

// One attribute step of a chain: value becomes the attribute upperName of its object.
bool readAttribute(localReturnStateType& state, localValueDescription& value, const std::wstring& upperName);

// What a call is made on: a function by its name as written, or a method (upper-cased
// name) of the object that value holds. A function site may bring the upper-cased name
// and the site that remembers the function's record.
struct callee {
  const std::wstring& name;
  bool isMethod;
  const std::wstring* upperName = nullptr;
  functionSite* site = nullptr;
};

// A call of a function by its upper-cased name: the few names the evaluator answers
// itself, then the functions of the context (found through site when there is one).
bool callFunction(localReturnStateType& state, localContextUTF8* context, localValueDescription& result,
                  const std::wstring& upperName, localValueList* arguments, functionSite* site);

// Makes the call with the evaluated arguments; the result goes into value (over the
// object for a method). closePosition is where the ")" stands, termStart where the name
// term began; both appear in the failure lines.
bool call(localReturnStateType& state, localContextUTF8* context, localValueDescription& value,
          const callee& target, localValueList* arguments, unsigned closePosition, unsigned termStart);

}  // namespace localNameTerm
