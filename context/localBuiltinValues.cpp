// Built-in functions on values: comparisons, truth, whole parts, output and chance.
#include <iostream>

#include "core/localIntegerConversion.h"
#include "context/localBuiltinLibrary.h"
#include "context/localRandom.h"
#include "text/localString.h"

namespace localBuiltin {
namespace {

// True when candidate is strictly greater than current; both have the same kind.
bool greater(const localValueDescription& candidate, const localValueDescription& current) {
  switch (candidate.getType()) {
    case localValueDescription::typeNumber:
      return candidate.getNum() > current.getNum();
    case localValueDescription::typeString:
      return candidate.getStrRef() > current.getStrRef();
    case localValueDescription::typeBoolean:
      return candidate.getBoo() && !current.getBoo();
    default:
      return false;
  }
}

// MAX and MIN: all arguments of the first one's kind; objects cannot be compared, so
// only a single object is accepted. Of equal arguments the first wins.
bool extreme(localReturnStateType& state, const localValueList& arguments, localValueDescription& result,
             bool wantGreatest) {
  const std::int32_t kind = arguments[0]->getType();
  for (const localValueDescription* argument : arguments) {
    if (argument->getType() != kind) {
      state = localErrorTypePARAMETERStype;
      return false;
    }
  }
  if (kind == localValueDescription::typeObject && arguments.size() > 1) {
    state = localErrorTypePARAMETERStype;
    return false;
  }
  const localValueDescription* best = arguments[0];
  if (kind == localValueDescription::typeNumber) {
    best = extremeNumber(arguments.size(), [&arguments](std::size_t i) { return arguments[i]; }, wantGreatest);
  } else {
    for (const localValueDescription* argument : arguments) {
      if (wantGreatest ? greater(*argument, *best) : greater(*best, *argument)) best = argument;
    }
  }
  result.setVal(best);
  return true;
}

}  // namespace

bool emptyValue(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
                localValueDescription& result) {
  const localValueDescription& value = *arguments[0];
  switch (value.getType()) {
    case localValueDescription::typeString:
      result.setBoo(localString::trimL(value.getStrRef()).empty());
      break;
    case localValueDescription::typeNumber:
      result.setBoo(value.getNum() == 0);
      break;
    default:  // boolean: its own truth value
      result.setBoo(value.getBoo());
      break;
  }
  return true;
}

bool integerPart(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
                 localValueDescription& result) {
  integerPartOf(*arguments[0], result);
  return true;
}

bool maximum(localReturnStateType& state, localContextUTF8*, const localValueList& arguments,
             localValueDescription& result) {
  return extreme(state, arguments, result, true);
}

bool minimum(localReturnStateType& state, localContextUTF8*, const localValueList& arguments,
             localValueDescription& result) {
  return extreme(state, arguments, result, false);
}

bool message(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
             localValueDescription& result) {
  std::cout << localString::wstringToStdStringMultibyte(arguments[0]->toString()) << "\n";
  result.setVal(1.0);
  return true;
}

bool randomNumber(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription& result) {
  result.setVal(localRandomNext() / 32767.0);
  return true;
}

}  // namespace localBuiltin
