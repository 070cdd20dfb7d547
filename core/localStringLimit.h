#pragma once
#include <cstddef>

#include "core/localReturnStateType.h"

// The longest string the interpreter builds. Without a bound, `s = s + s` repeated at the
// console doubles until the machine pages for minutes and the allocation finally fails.
// 2^27 wide characters are 512 MB: far beyond any real text (the largest program file
// that DO reads gives at most 2^26 characters), while one assignment that builds such a
// string, holding its operands and the stored copy, still fits in a few gigabytes.
constexpr std::size_t localStringLengthLimitDefault = std::size_t{1} << 27;

std::size_t localStringLengthLimit();
// Tests and fuzzing harnesses lower the limit to reach it cheaply; 0 restores the default.
void localStringSetLengthLimit(std::size_t characters);

// Called before a string of `length` characters is built. Too long: prints a trace line
// naming the operation, sets localErrorTypeCODE and returns false, before anything is
// allocated, so the caller fails and every variable keeps its value. Building a string
// is also a point where Ctrl-C is answered.
bool localStringMayGrowTo(localReturnStateType& state, std::size_t length, const char* operation, unsigned line);
