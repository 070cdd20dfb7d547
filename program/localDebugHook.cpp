#include "program/localDebugHook.h"

namespace localDebugHook {
localDebugListener* listener = nullptr;
const localOperatorCompiled** notes = nullptr;
std::atomic<bool> everyStatement{false};
std::atomic<bool> interrupted{false};
const unsigned char* breakLines = nullptr;
std::size_t breakLineCount = 0;
}  // namespace localDebugHook
