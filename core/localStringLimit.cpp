#include "core/localStringLimit.h"

#include <string>

#include "core/localInterrupt.h"
#include "core/localTrace.h"

namespace {
std::size_t lengthLimit = localStringLengthLimitDefault;
}  // namespace

std::size_t localStringLengthLimit() { return lengthLimit; }

void localStringSetLengthLimit(std::size_t characters) {
  lengthLimit = characters != 0 ? characters : localStringLengthLimitDefault;
}

bool localStringMayGrowTo(localReturnStateType& state, std::size_t length, const char* operation, unsigned line) {
  if (length > lengthLimit) {
    localTrace(L"localErrorTypeCODE!!! строка длиной " + std::to_wstring(length) + L" символов длиннее предела " +
                   std::to_wstring(lengthLimit) + L" func: ",
               operation, line);
    state = localErrorTypeCODE;
    return false;
  }
  return !localInterruptStopsHere(state, operation, line);
}
