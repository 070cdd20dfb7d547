#pragma once
// A call of a pure numeric built-in (INT, MAX, MIN) as one instruction in front of the
// general call sequence: when the name still finds the built-in and the arguments are
// numbers, it runs the built-in's own inline work (localBuiltin) and the general sequence
// is skipped; otherwise it does nothing and that sequence runs, with every message and
// failure it has. Operands as for localTableCall: the arguments from the last computed one
// on are read in place, those before it are in the slots above the call's result slot.
#include <cstdint>

#include "context/localBuiltinLibrary.h"
#include "context/localContextUTF8.h"
#include "core/localValueDescription.h"

struct localNumericCall {
  static constexpr std::uint32_t inSlot = 0xFFFFFFFFu;

  localBuiltin::numeric function = localBuiltin::numeric::none;
  std::uint8_t count = 0;  // arguments
  std::uint8_t slots = 0;  // arguments in stack slots, before those read in place
  std::uint32_t name = 0;  // index of localCode::functions: its name and site
  std::uint32_t arguments[3] = {inSlot, inSlot, inSlot};
  // The context generation at which the name was found to be the built-in's.
  mutable std::uint64_t generation = 0;
};

namespace localNumericCallRun {

// Runs the call when its arguments are numbers: argument(i) gives the i-th (null when its
// variable does not exist); result is a fresh value. false, with nothing done, otherwise.
template <class Argument>
[[gnu::always_inline]] inline bool run(const localNumericCall& call, Argument&& argument,
                                       localValueDescription& result) {
  for (std::uint8_t i = 0; i < call.count; ++i) {
    const localValueDescription* value = argument(i);
    if (value == nullptr || value->getType() != localValueDescription::typeNumber) return false;
  }
  switch (call.function) {
    case localBuiltin::numeric::integerPart:
      localBuiltin::integerPartOf(*argument(0), result);
      return true;
    case localBuiltin::numeric::maximum:
    case localBuiltin::numeric::minimum:
      result.setVal(localBuiltin::extremeNumber(call.count, argument,
                                                call.function == localBuiltin::numeric::maximum));
      return true;
    case localBuiltin::numeric::none:
      break;
  }
  return false;
}

}  // namespace localNumericCallRun
