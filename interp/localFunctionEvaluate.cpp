// Calls of a function by name: the few names the evaluator answers itself (FORMAT,
// M1ESSAGE, PI), then the functions of the context.
#include <iostream>
#include <string>

#include "context/localContextCalls.h"
#include "context/localContextUTF8.h"
#include "core/localTrace.h"
#include "interp/localInterpTraceLines.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNameTerm.h"
#include "text/localString.h"

namespace {

const char* const operationName = "functionEvaluate";

std::size_t argumentCount(const localValueList* list) { return list == nullptr ? 0 : list->size(); }

// name, in any case, is the upper-case keyword.
// The names the evaluator answers itself, with their lengths known at compile time.
constexpr std::wstring_view messageName = L"M1ESSAGE";
constexpr std::wstring_view messageNameRussian = L"С1ООБЩИТЬ";
constexpr std::wstring_view piName = L"PI";
constexpr std::wstring_view formatName = L"FORMAT";
constexpr std::wstring_view formatNameRussian = L"ФОРМАТ";

bool sameName(std::wstring_view name, std::wstring_view keyword) {
  if (name.size() != keyword.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (localString::wcharToUpper(name[i]) != keyword[i]) return false;
  }
  return true;
}

// Which of the evaluator's own names name is; the length decides first, so a call of any
// other function costs one comparison.
enum class ownName { none, message, pi, format };

ownName ownNameOf(std::wstring_view name) {
  switch (name.size()) {
    case piName.size():
      return sameName(name, piName) ? ownName::pi : ownName::none;
    case formatName.size():
      static_assert(formatName.size() == formatNameRussian.size());
      return sameName(name, formatName) || sameName(name, formatNameRussian) ? ownName::format : ownName::none;
    case messageName.size():
      return sameName(name, messageName) ? ownName::message : ownName::none;
    case messageNameRussian.size():
      return sameName(name, messageNameRussian) ? ownName::message : ownName::none;
    default:
      return ownName::none;
  }
}

void print(const std::wstring& text) { std::cout << localString::wstringToStdStringMultibyte(text); }

// FORMAT and MESSAGE stay out of line: their strings would otherwise give every call of
// a function the stack frame they need.
[[gnu::noinline]] bool format(localReturnStateType& state, localValueDescription& result, const localValueList* list) {
  result.setVal(std::wstring());
  if (argumentCount(list) != 2) {
    state = localErrorTypePARAMETERScount;
    return false;
  }
  if ((*list)[1]->getType() != localValueDescription::typeString) {
    state = localErrorTypePARAMETERStype;
    return false;
  }
  result.setVal((*list)[0]->toString());
  return true;
}

// The evaluator's own message routine: objects get a traced two-line form, numbers the
// stream's short default format without a line end.
[[gnu::noinline]] bool message(localReturnStateType& state, localValueDescription& result, const localValueList* list) {
  if (argumentCount(list) != 1) {
    state = localErrorTypePARAMETERScount;
    return false;
  }
  const localValueDescription& shown = *(*list)[0];
  switch (shown.getType()) {
    case localValueDescription::typeObject:
      localTraceOutput(L" ЭТО ОБЪЕКТ ", operationName, localInterpTraceLine::messageObjectHeader);
      localTraceOutput(shown.toString() + L" func: ", operationName, localInterpTraceLine::messageObjectText);
      break;
    case localValueDescription::typeNumber:
      print(localString::doubleToStdWStringDefault(shown.getNum()));
      break;
    default:
      print(shown.getStrRef());
      std::cout << "\n";
      break;
  }
  result.setVal(1.0);
  return true;
}

}  // namespace

bool localInterpretatorUTF8::functionEvaluate(localReturnStateType& state, localContextUTF8* context,
                                             localValueDescription& result, std::wstring_view name,
                                             localValueList* list) {
  return localNameTerm::callFunction(state, context, result, name, list, nullptr);
}

bool localNameTerm::callFunction(localReturnStateType& state, localContextUTF8* context,
                                 localValueDescription& result, std::wstring_view name, localValueList* list,
                                 localNameSite* site) {
  state = localErrorTypeOK;
  // Names compare without an upper-cased copy: the context finds its functions in any case.
  // A site asks once: its name does not change.
  ownName own;
  if (site == nullptr) {
    own = ownNameOf(name);
  } else {
    if (site->evaluatorName < 0) site->evaluatorName = static_cast<std::int8_t>(ownNameOf(name));
    own = static_cast<ownName>(site->evaluatorName);
  }
  if (own == ownName::message) return message(state, result, list);
  if (own == ownName::pi) {
    // Arguments are refused through the state only: the call itself counts as made.
    result.setVal(3.14);
    if (argumentCount(list) != 0) state = localErrorTypePARAMETERScount;
    return true;
  }

  bool called = false;
  if (own == ownName::format) {
    called = format(state, result, list);
  } else if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
  } else {
    const std::size_t position = site != nullptr ? context->funcFindAtSite(*site, name) : context->funcFind(name);
    called = context->funcExecAt(state, position, list, &result);
  }
  return localNameTerm::endFunctionCall(state, called, name);
}

bool localNameTerm::functionCallFailed(localReturnStateType& state, bool called, std::wstring_view name) {
  // A call that failed without naming why is still a failure.
  if (!called && state == localErrorTypeOK) state = localErrorTypeCODE;
  if (state == localErrorTypeOK) return true;

  localTrace(localString::returnStateAsString(state) + L" имя функции: [" +
                 localString::wstringToUpper(std::wstring(name)) + L"] func: ",
             operationName, localInterpTraceLine::functionFailed);
  return false;
}
