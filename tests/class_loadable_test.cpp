#include <gtest/gtest.h>

#include "classes/localClassForTest.h"
#include "classes/localLoadableClasses.h"

// The table of loadable classes answers upper-case names in either language, and only those.
TEST(LoadableClasses, FindsEachClassByEitherName) {
  EXPECT_EQ(localLoadableClassDeclaration(L"TEST"), localClassForTest::getClassDeclaration());
  EXPECT_EQ(localLoadableClassDeclaration(L"ТЕСТ"), localClassForTest::getClassDeclaration());
  const localClassDeclaration* table = localLoadableClassDeclaration(L"ТАБЛИЦАЗНАЧЕНИЙ");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->className, L"VALUETABLE");
  EXPECT_EQ(localLoadableClassDeclaration(L"test"), nullptr);  // callers upper-case first
  EXPECT_EQ(localLoadableClassDeclaration(L"DATE"), nullptr);  // registered at start-up instead
  EXPECT_EQ(localLoadableClassDeclaration(L""), nullptr);
}
