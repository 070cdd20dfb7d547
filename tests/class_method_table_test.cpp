#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "classes/localClassMethodTable.h"

namespace {

using row = localClassMethod<int>;

// Names that look alike (ABC, AXC, AYC), a name shared by two rows (the first row must
// win), a name that is an English name in one row and a Russian one in another, and the
// empty name.
const row crowded[] = {
    {L"ABC", L"АБВ", 0}, {L"AXC", L"АЯВ", 1}, {L"DUP", L"ДУП", 2}, {L"DUP", L"ДВА", 3},
    {L"", L"ПУСТО", 4},  {L"AYC", L"ABC", 5}, {L"LONGERNAME", L"ДЛИННОЕИМЯ", 6},
};

}  // namespace

// A method is found by its exact English or Russian name, the first matching row winning.
TEST(ClassMethodTable, FindsTheFirstRowWithTheExactName) {
  ASSERT_NE(localFindClassMethod(crowded, L"DUP"), nullptr);
  EXPECT_EQ(localFindClassMethod(crowded, L"DUP")->run, 2);
  EXPECT_EQ(localFindClassMethod(crowded, L"ABC")->run, 0);  // the first row whose name matches
  EXPECT_EQ(localFindClassMethod(crowded, L"ДВА")->run, 3);
  EXPECT_EQ(localFindClassMethod(crowded, L"ПУСТО")->run, 4);
  EXPECT_EQ(localFindClassMethod(crowded, L"ДЛИННОЕИМЯ")->run, 6);
  EXPECT_EQ(localFindClassMethod(crowded, L"AZC"), nullptr);
  EXPECT_EQ(localFindClassMethod(crowded, L"LONGERNAMF"), nullptr);
  EXPECT_EQ(localFindClassMethod(crowded, L"abc"), nullptr);  // exact comparison
}
