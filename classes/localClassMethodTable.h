#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/localReturnStateType.h"

// The form every built-in class writes its methods in: a table with one row per method,
// its English name (the member the declaration registers), its Russian alternative and
// the function that runs it. Each class picks the function form its rows share; the
// class's one EXEC function finds the row by name and runs it.
template <class Method>
struct localClassMethod {
  std::wstring_view english;  // views: the lengths are known, comparing is cheap
  std::wstring_view russian;
  Method run;
};

// Exact equality; the lengths are compared inline first, since most names differ in length.
inline bool localSameMethodName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(wchar_t)) == 0;
}

// The row whose English or Russian name equals name exactly, or null.
template <class Method, std::size_t Count>
const localClassMethod<Method>* localFindClassMethod(const localClassMethod<Method> (&table)[Count],
                                                     const std::wstring& name) {
  for (const localClassMethod<Method>& row : table) {
    if (localSameMethodName(name, row.english) || localSameMethodName(name, row.russian)) return &row;
  }
  return nullptr;
}

// The same lookup in a few steps, for classes whose methods run in loops. Each name goes
// into a bucket chosen by its length and its first and last characters; a lookup checks
// the one row of its bucket. A bucket that two rows share sends the lookup to the plain
// search, so the answer is always the row localFindClassMethod gives.
template <class Method, std::size_t Count>
class localClassMethodIndex {
 public:
  explicit localClassMethodIndex(const localClassMethod<Method> (&table)[Count]) : table_(table) {
    static_assert(Count < shared, "a row number must fit a slot");
    slots_.fill(empty);
    for (std::size_t row = 0; row < Count; ++row) {
      place(table[row].english, row);
      place(table[row].russian, row);
    }
  }

  const localClassMethod<Method>* find(const std::wstring& name) const {
    const std::uint8_t slot = slots_[bucket(name)];
    if (slot == empty) return nullptr;
    if (slot == shared) return localFindClassMethod(table_, name);
    const localClassMethod<Method>& row = table_[slot];
    return localSameMethodName(name, row.english) || localSameMethodName(name, row.russian) ? &row : nullptr;
  }

 private:
  static constexpr std::size_t bucketCount = 64;
  static constexpr std::uint8_t empty = 0xFF;
  static constexpr std::uint8_t shared = 0xFE;

  static std::size_t bucket(std::wstring_view name) {
    if (name.empty()) return 0;
    // Unsigned arithmetic: wraps, never overflows, whatever the characters.
    return (name.size() * 31u + static_cast<std::size_t>(name.front()) * 7u + static_cast<std::size_t>(name.back())) %
           bucketCount;
  }

  void place(std::wstring_view name, std::size_t row) {
    std::uint8_t& slot = slots_[bucket(name)];
    slot = (slot == empty || slot == row) ? static_cast<std::uint8_t>(row) : shared;
  }

  const localClassMethod<Method> (&table_)[Count];
  std::array<std::uint8_t, bucketCount> slots_{};
};

// A method's failure: the state takes the reason and the method returns false.
inline bool localMethodFails(localReturnStateType& state, localReturnStateType failure) {
  state = failure;
  return false;
}
