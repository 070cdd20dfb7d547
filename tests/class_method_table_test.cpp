#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "classes/localClassMethodTable.h"

namespace {

using row = localClassMethod<int>;

// Names chosen to crowd the buckets: the same length with the same first and last
// characters (ABC, AXC, AYC), a name shared by two rows (the first row must win), a name
// that is an English name in one row and a Russian one in another, and the empty name.
const row crowded[] = {
    {L"ABC", L"АБВ", 0}, {L"AXC", L"АЯВ", 1}, {L"DUP", L"ДУП", 2}, {L"DUP", L"ДВА", 3},
    {L"", L"ПУСТО", 4},  {L"AYC", L"ABC", 5}, {L"LONGERNAME", L"ДЛИННОЕИМЯ", 6},
};

const localClassMethodIndex<int, std::size(crowded)> crowdedIndex(crowded);

}  // namespace

// Whatever the buckets hold, the index finds the row the plain search finds.
TEST(ClassMethodIndex, AgreesWithThePlainSearch) {
  const std::wstring names[] = {L"ABC",   L"AXC", L"AYC", L"AZC",       L"DUP",        L"ДВА",
                                L"",      L"ПУСТО", L"А", L"LONGERNAME", L"ДЛИННОЕИМЯ", L"LONGERNAMF",
                                L"abc",   L"ДУП", L"АБВ", L"АЯВ",       L"XBC",        L"ABCD"};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(crowdedIndex.find(names[i]), localFindClassMethod(crowded, names[i])) << "name #" << i;
  }
  ASSERT_NE(crowdedIndex.find(L"DUP"), nullptr);
  EXPECT_EQ(crowdedIndex.find(L"DUP")->run, 2);
  EXPECT_EQ(crowdedIndex.find(L"ABC")->run, 0);  // the first row whose name matches
  EXPECT_EQ(crowdedIndex.find(L"AZC"), nullptr);
  EXPECT_EQ(crowdedIndex.find(L"abc"), nullptr);  // exact comparison
}
