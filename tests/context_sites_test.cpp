// Name sites: a remembered record is used only while the context's generation stays,
// and every way a record is added, removed or cleared moves the generation.
#include <gtest/gtest.h>

#include <memory>

#include "context/localContextUTF8.h"
#include "context_test_support.h"
#include "program/localOperatorCompiled.h"

namespace {

using functionSite = localNameSite;
constexpr std::size_t npos = localContextUTF8::npos;

// Running codes keep variable values found while the generation stands: every change
// that adds, removes or clears a record must move it, and storing into one must not.
TEST(ContextSites, VariableRecordsMoveTheGenerationWhenAddedRemovedOrCleared) {
  localContextUTF8 context;
  const auto before = context.generation();
  context.varSetValueNum(L"TOTAL", 1);
  EXPECT_NE(context.generation(), before);
  ASSERT_NE(context.varFind(L"total"), npos);

  // Storing into an existing record keeps the generation and the record.
  const auto stored = context.generation();
  const localValueDescription* record = &context.varValueAt(context.varFind(L"total"));
  context.varSetValue(L"total", contextTest::str(L"x"));
  EXPECT_EQ(context.generation(), stored);
  EXPECT_EQ(&context.varValueAt(context.varFind(L"total")), record);
  EXPECT_EQ(context.varGetPointer(L"TOTAL")->value.getStr(), L"x");

  // Records removed or cleared: the generation moves on each time.
  context.varSetValueNum(L"OTHER", 2);
  const auto added = context.generation();
  context.varDeleteByIdx(0);
  EXPECT_NE(context.generation(), added);
  const auto removed = context.generation();
  context.cleaMemo();
  EXPECT_NE(context.generation(), removed);
  EXPECT_EQ(context.varFind(L"other"), npos);
}

TEST(ContextSites, FunctionSitesSeeRegistrationsAndOtherContexts) {
  localContextUTF8 first;
  functionSite site;
  EXPECT_EQ(first.funcFindAtSite(site, L"MINE"), npos);
  const auto before = first.generation();
  ASSERT_TRUE(first.funcAddAsOperatorCompiled(L"mine", std::make_unique<localOperatorCompiled>()));
  EXPECT_NE(first.generation(), before);
  ASSERT_NE(first.funcFindAtSite(site, L"MINE"), npos);
  EXPECT_EQ(first.funcFindAtSite(site, L"MINE"), first.funcFind(L"MINE"));

  // Re-registering moves the generation too; the record then holds the new body.
  auto body = std::make_unique<localOperatorCompiled>();
  const localOperatorCompiled* newer = body.get();
  const auto registered = first.generation();
  ASSERT_TRUE(first.funcAddAsOperatorCompiled(L"MINE", std::move(body)));
  EXPECT_NE(first.generation(), registered);
  EXPECT_EQ(first.funcByIdx(static_cast<unsigned>(first.funcFindAtSite(site, L"MINE"))).operatorCompiled, newer);

  // Another context never answers from the first one's memory, even at the same address.
  auto second = std::make_unique<localContextUTF8>();
  EXPECT_NE(second->generation(), first.generation());
  EXPECT_EQ(second->funcFindAtSite(site, L"MINE"), npos);
  functionSite builtinSite;
  EXPECT_NE(second->funcFindAtSite(builtinSite, L"STRLEN"), npos);
}

}  // namespace
