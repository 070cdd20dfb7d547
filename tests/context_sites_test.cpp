// Name sites: a remembered record is used only while the context's generation stays,
// and every way a record is added, removed or cleared moves the generation.
#include <gtest/gtest.h>

#include <memory>

#include "context/localContextUTF8.h"
#include "context_test_support.h"
#include "program/localOperatorCompiled.h"

namespace {

using variableSite = localNameSite;
using functionSite = localNameSite;
constexpr std::size_t npos = localContextUTF8::npos;

TEST(ContextSites, VariableSitesFollowAdditionsRemovalsAndClearing) {
  localContextUTF8 context;
  variableSite site;
  EXPECT_EQ(context.varFindAtSite(site, L"total"), npos);  // "not there" is remembered too

  const auto before = context.generation();
  context.varSetValueNum(L"TOTAL", 1);
  EXPECT_NE(context.generation(), before);
  const std::size_t found = context.varFindAtSite(site, L"total");
  ASSERT_NE(found, npos);
  EXPECT_EQ(found, context.varFind(L"TOTAL"));

  // Storing into an existing record keeps the generation and the record.
  const auto stored = context.generation();
  localValueDescription value = contextTest::str(L"x");
  context.varSetValueAtSite(site, L"total", std::move(value));
  EXPECT_EQ(context.generation(), stored);
  EXPECT_EQ(context.varGetPointer(L"TOTAL")->value.getStr(), L"x");

  // Records before it removed: the vector shifts, the site looks again.
  context.varDeleteByIdx(0);
  EXPECT_EQ(context.varFindAtSite(site, L"total"), context.varFind(L"TOTAL"));
  context.cleaMemo();
  EXPECT_EQ(context.varFindAtSite(site, L"total"), npos);

  // Storing through a site that remembers "not there" creates the variable.
  localValueDescription created = contextTest::num(7);
  context.varSetValueAtSite(site, L"total", std::move(created));
  ASSERT_NE(context.varGetPointer(L"TOTAL"), nullptr);
  EXPECT_EQ(context.varGetPointer(L"TOTAL")->value.getNum(), 7);
  EXPECT_EQ(context.varFindAtSite(site, L"total"), context.varFind(L"TOTAL"));
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
