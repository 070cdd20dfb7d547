// Name sites: a remembered record is used only while the context's generation stays,
// and every way a record is added, removed or cleared moves the generation.
#include <gtest/gtest.h>

#include <memory>

#include "context/localContextUTF8.h"
#include "context_test_support.h"
#include "program/localOperatorCompiled.h"

namespace {

using variableSite = localNameSite<localContextUTF8::variableDescription>;
using functionSite = localNameSite<localContextUTF8::functionDescription>;

TEST(ContextSites, VariableSitesFollowAdditionsRemovalsAndClearing) {
  localContextUTF8 context;
  variableSite site;
  EXPECT_EQ(context.varAtSite(site, L"total"), nullptr);  // "not there" is remembered too

  const auto before = context.generation();
  context.varSetValueNum(L"TOTAL", 1);
  EXPECT_NE(context.generation(), before);
  localContextUTF8::variableDescription* found = context.varAtSite(site, L"total");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, context.varGetPointer(L"TOTAL"));

  // Storing into an existing record keeps the generation and the record.
  const auto stored = context.generation();
  localValueDescription value = contextTest::str(L"x");
  context.varSetValueAtSite(site, L"total", std::move(value));
  EXPECT_EQ(context.generation(), stored);
  EXPECT_EQ(context.varGetPointer(L"TOTAL")->value.getStr(), L"x");

  // Records before it removed: the vector shifts, the site looks again.
  context.varDeleteByIdx(0);
  EXPECT_EQ(context.varAtSite(site, L"total"), context.varGetPointer(L"TOTAL"));
  context.cleaMemo();
  EXPECT_EQ(context.varAtSite(site, L"total"), nullptr);

  // Storing through a site that remembers "not there" creates the variable.
  localValueDescription created = contextTest::num(7);
  context.varSetValueAtSite(site, L"total", std::move(created));
  ASSERT_NE(context.varGetPointer(L"TOTAL"), nullptr);
  EXPECT_EQ(context.varGetPointer(L"TOTAL")->value.getNum(), 7);
  EXPECT_EQ(context.varAtSite(site, L"total"), context.varGetPointer(L"TOTAL"));
}

TEST(ContextSites, FunctionSitesSeeRegistrationsAndOtherContexts) {
  localContextUTF8 first;
  functionSite site;
  EXPECT_EQ(first.funcAtSite(site, L"MINE"), nullptr);
  const auto before = first.generation();
  ASSERT_TRUE(first.funcAddAsOperatorCompiled(L"mine", std::make_unique<localOperatorCompiled>()));
  EXPECT_NE(first.generation(), before);
  ASSERT_NE(first.funcAtSite(site, L"MINE"), nullptr);
  EXPECT_EQ(first.funcAtSite(site, L"MINE"), first.funcGetPointer(L"MINE"));

  // Re-registering moves the generation too; the record then holds the new body.
  auto body = std::make_unique<localOperatorCompiled>();
  const localOperatorCompiled* newer = body.get();
  const auto registered = first.generation();
  ASSERT_TRUE(first.funcAddAsOperatorCompiled(L"MINE", std::move(body)));
  EXPECT_NE(first.generation(), registered);
  EXPECT_EQ(first.funcAtSite(site, L"MINE")->operatorCompiled, newer);

  // Another context never answers from the first one's memory, even at the same address.
  auto second = std::make_unique<localContextUTF8>();
  EXPECT_NE(second->generation(), first.generation());
  EXPECT_EQ(second->funcAtSite(site, L"MINE"), nullptr);
  functionSite builtinSite;
  EXPECT_NE(second->funcAtSite(builtinSite, L"STRLEN"), nullptr);
}

}  // namespace
