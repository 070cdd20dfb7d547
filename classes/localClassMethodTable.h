#pragma once
#include <cstddef>
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

// A method's failure: the state takes the reason and the method returns false.
inline bool localMethodFails(localReturnStateType& state, localReturnStateType failure) {
  state = failure;
  return false;
}
