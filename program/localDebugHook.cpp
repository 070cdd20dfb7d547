#include "program/localDebugHook.h"

namespace localDebugHook {
localDebugListener* listener = nullptr;
}  // namespace localDebugHook
