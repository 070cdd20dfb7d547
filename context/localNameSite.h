#pragma once
#include <cstddef>
#include <cstdint>

class localContextUTF8;

// What one place in a program that names a variable or a function remembers about its
// lookup: the position of the record (or that there was none) in which context at which
// generation. The context's generation changes whenever a record is added, removed or
// cleared, so a remembered answer is used only while it is still the answer.
struct localNameSite {
  const localContextUTF8* context = nullptr;
  std::uint64_t generation = 0;  // 0: nothing remembered (contexts start above 0)
  std::size_t position = static_cast<std::size_t>(-1);
};
