#include "program/localDebugHook.h"

namespace localDebugHook {
localDebugListener* listener = nullptr;
const localOperatorCompiled** notes = nullptr;
std::atomic<bool> everyStatement{false};
std::atomic<bool> interrupted{false};
}  // namespace localDebugHook
