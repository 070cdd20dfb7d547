#include "classes/localLoadableClasses.h"

#include "classes/localClassForTest.h"
#include "classes/localValueTable.h"

namespace {

// A new class is its own two files and one row here.
const localLoadableClass loadableClasses[] = {
    {L"TEST", L"ТЕСТ", &localClassForTest::getClassDeclaration},
    {L"VALUETABLE", L"ТАБЛИЦАЗНАЧЕНИЙ", &localValueTable::getClassDeclaration},
};

}  // namespace

localClassDeclaration* localLoadableClassDeclaration(const std::wstring& upperName) {
  for (const localLoadableClass& row : loadableClasses) {
    if (upperName == row.english || upperName == row.russian) return row.declaration();
  }
  return nullptr;
}

std::span<const localLoadableClass> localLoadableClassTable() { return loadableClasses; }
