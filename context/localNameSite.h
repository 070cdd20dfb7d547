#pragma once
#include <cstddef>
#include <cstdint>

// What one place in a program that names a variable or a function remembers about its
// lookup: the position of the record (or that there was none) at which generation. The
// context's generation changes whenever a record is added, removed or cleared, to a number
// no context has had before, so the generation alone says which context and which state
// of it the answer belongs to: a remembered answer is used only while it is still the answer.
struct localNameSite {
  std::uint64_t generation = 0;  // 0: nothing remembered (contexts start above 0)
  std::size_t position = static_cast<std::size_t>(-1);
  // Which of the names the evaluator answers itself (before the context) the site's name
  // is, once the evaluator has asked: it depends on the name alone. -1: not asked yet.
  std::int8_t evaluatorName = -1;
};
