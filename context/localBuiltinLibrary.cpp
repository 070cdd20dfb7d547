#include "context/localBuiltinLibrary.h"

#include "context/localContextUTF8.h"

namespace localBuiltin {
namespace {

// What a body sees when the caller hands over no list.
const localValueList noArguments;

constexpr unsigned N = kindNumber;
constexpr unsigned S = kindString;
constexpr unsigned B = kindBoolean;
constexpr unsigned ANY = kindAny;

// Three functions never reach this table: the evaluator answers FORMAT (ФОРМАТ), M1ESSAGE
// (С1ООБЩИТЬ) and PI itself before it asks the context (interp/localFunctionEvaluate.cpp),
// so a row of one of those names would never be called from a script.
constexpr entry table[] = {
    {L"CLASSLOAD", L"КЛАССЗАГРУЗИТЬ", 1, 1, {S, ANY}, true, classLoad},
    {L"CREATEOBJECT", L"СОЗДАТЬОБЪЕКТ", 1, 1, {S, ANY}, false, createObject},
    {L"EMPTYVALUE", L"ПУСТОЕЗНАЧЕНИЕ", 1, 1, {S | N | B, ANY}, false, emptyValue},
    {L"INT", L"ЦЕЛ", 1, 1, {N, ANY}, false, integerPart},
    {L"MAX", L"МАКС", 1, unlimited, {ANY, ANY}, false, maximum},
    {L"MESSAGE", L"СООБЩИТЬ", 1, 1, {ANY, ANY}, false, message},
    {L"MIN", L"МИН", 1, unlimited, {ANY, ANY}, false, minimum},
    {L"NUMBER", L"ЧИСЛО", 1, 1, {S, ANY}, false, number},
    {L"RAND", L"СЛУЧАЙНОЕЧИСЛО", 0, 0, {ANY, ANY}, false, randomNumber},
    {L"RIGHT", L"ПРАВ", 2, 2, {S, N}, false, rightPart},
    {L"STRING", L"СТРОКА", 1, 1, {ANY, ANY}, false, textForm},
    {L"STRLEN", L"СТРДЛИНА", 1, 1, {S, ANY}, false, textLength},
    {L"TRIMALL", L"СОКРЛП", 1, 1, {S, ANY}, false, trimAll},
    {L"TRIML", L"СОКРЛ", 1, 1, {S, ANY}, false, trimLeft},
    {L"TRIMR", L"СОКРП", 1, 1, {S, ANY}, false, trimRight},
    {L"TOSTRING", L"ВСТРОКУ", 0, 0, {ANY, ANY}, false, contextToString},
    {L"TYPEASSTRING", L"ТИПЗНАЧЕНИЯСТР", 1, 1, {ANY, ANY}, false, typeName},
};

static_assert(table[3].run == integerPart && table[4].run == maximum && table[6].run == minimum);

bool kindAllowed(unsigned mask, const localValueDescription* value) {
  if (value == nullptr) return false;
  const std::int32_t type = value->getType();
  if (type < 0 || type > localValueDescription::typeObject) return false;
  return (mask & (1u << type)) != 0;
}

// Count first, then kinds from the first argument on.
bool checkArguments(localReturnStateType& state, const entry& function, const localValueList& arguments) {
  if (arguments.size() < function.minArguments || arguments.size() > function.maxArguments) {
    state = localErrorTypePARAMETERScount;
    return false;
  }
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const unsigned mask = i < maxCheckedArguments ? function.kinds[i] : kindAny;
    if (!kindAllowed(mask, arguments[i])) {
      state = localErrorTypePARAMETERStype;
      return false;
    }
  }
  return true;
}

}  // namespace

const entry* entries() { return table; }
std::size_t entryCount() { return sizeof(table) / sizeof(table[0]); }

numeric numericNamed(std::wstring_view name) {
  const entry* found = findEntry(name);
  for (const numeric function : {numeric::integerPart, numeric::maximum, numeric::minimum}) {
    if (found != nullptr && found == numericEntry(function)) return function;
  }
  return numeric::none;
}

const entry* numericEntry(numeric function) {
  switch (function) {
    case numeric::integerPart: return &table[3];
    case numeric::maximum: return &table[4];
    case numeric::minimum: return &table[6];
    case numeric::none: break;
  }
  return nullptr;
}

const entry* findEntry(std::wstring_view name) {
  // Exact comparison: callers pass names already upper-cased.
  for (const entry& candidate : table) {
    if (name == candidate.english || name == candidate.russian) return &candidate;
  }
  return nullptr;
}

bool call(localReturnStateType& state, localContextUTF8* context, const entry& function,
          const localValueList* arguments, localValueDescription& result) {
  state = localErrorTypeOK;
  const localValueList& list = arguments != nullptr ? *arguments : noArguments;
  const bool ok = checkArguments(state, function, list) && function.run(state, context, list, result);
  if (!ok && function.falseResultOnFailure) result.setBoo(false);
  return ok;
}

}  // namespace localBuiltin

bool localContextUTF8::classImplementationMethodFunction(localReturnStateType& state, void*& object,
                                                         const std::wstring& name, localValueList* arguments,
                                                         localValueDescription& result) {
  state = localErrorTypeOK;
  const localBuiltin::entry* function = localBuiltin::findEntry(name);
  if (function == nullptr) {
    state = localErrorTypeMETHODunknown;
    return false;
  }
  return localBuiltin::call(state, static_cast<localContextUTF8*>(object), *function, arguments, result);
}
