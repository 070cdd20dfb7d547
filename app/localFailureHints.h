#pragma once
#include <string>

#include "core/localReturnStateType.h"

// A line of advice after a failure whose message alone leaves a newcomer stuck: the
// failure's state and the source line it names. Empty when no hint applies.
namespace localFailureHints {

std::string hintFor(localReturnStateType state, const std::wstring& sourceLine);

}  // namespace localFailureHints
