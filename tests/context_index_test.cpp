// The name index of the context: lookups through it must agree with a plain walk over the
// records after any sequence of creations, removals, clears and re-registrations.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "context/localContextCalls.h"
#include "context/localContextUTF8.h"
#include "context_test_support.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

namespace {

using contextTest::str;

// The first record whose name equals the upper-cased key, found the slow way.
const localContextUTF8::variableDescription* walkFind(localContextUTF8& context, const std::wstring& name) {
  const std::wstring key = localString::wstringToUpper(name);
  for (unsigned i = 0; i < context.varCount(); ++i) {
    if (context.varByIdx(i)->name == key) return context.varByIdx(i);
  }
  return nullptr;
}

TEST(ContextIndex, RandomCreationsRemovalsAndClearsAgreeWithAWalk) {
  localContextUTF8 context;
  std::mt19937 random(7);
  const std::vector<std::wstring> names = {L"a", L"B", L"ц", L"Ё", L"ё", L"long_name_1", L"LONG_NAME_2", L"x9", L"Ж"};
  for (int step = 0; step < 3000; ++step) {
    const std::wstring& name = names[random() % names.size()];
    const unsigned action = random() % 20;
    if (action == 0) {
      context.cleaMemo();
    } else if (action < 5 && context.varCount() > 0) {
      context.varDeleteByIdx(random() % context.varCount());
    } else if (action < 8) {
      // Mixed case spellings of the same name reach the same record.
      std::wstring spelled = name;
      if (random() % 2) spelled = localString::wstringToUpper(name);
      context.varSetValueNum(spelled, step);
    } else {
      context.varSetValue(name, str(std::to_wstring(step)));
    }
    for (const std::wstring& probe : names) {
      ASSERT_EQ(context.varGetPointer(probe), walkFind(context, probe)) << "step " << step;
    }
  }
}

TEST(ContextIndex, RemovedNameComesBackAtTheEndAndOthersStayFound) {
  localContextUTF8 context;
  context.cleaMemo();
  for (const wchar_t* name : {L"one", L"two", L"three"}) context.varSetValueWStr(name, name);
  context.varDeleteByIdx(0);
  ASSERT_NE(context.varGetPointer(L"THREE"), nullptr);
  EXPECT_EQ(context.varGetPointer(L"three")->value.getStr(), L"three");
  EXPECT_EQ(context.varGetPointer(L"one"), nullptr);
  context.varSetValueNum(L"One", 1);
  EXPECT_EQ(context.varFind(L"ONE"), 2u);
  EXPECT_EQ(context.varByIdx(2)->name, L"ONE");
  EXPECT_EQ(context.varFind(L"two"), 0u);
  EXPECT_EQ(context.varFind(L"nothing"), localContextUTF8::npos);
}

// A store of a value kept inside the same variable must not read it after moving from it.
TEST(ContextIndex, StoringAVariableIntoItselfOrAnotherKeepsTheText) {
  localContextUTF8 context;
  context.varSetValueWStr(L"s", L"kept");
  context.varSetValue(L"s", &context.varGetPointer(L"s")->value);
  EXPECT_EQ(context.varGetPointer(L"S")->value.getStr(), L"kept");
  context.varSetValue(L"t", &context.varGetPointer(L"s")->value);
  EXPECT_EQ(context.varGetPointer(L"s")->value.getStr(), L"kept");
  EXPECT_EQ(context.varGetPointer(L"t")->value.getStr(), L"kept");
}

bool textExecutor(localReturnStateType& state, localContextUTF8*, const localOperatorCompiled* node,
                  localValueList*, localValueDescription& result) {
  result.setVal(node->text);
  state = localErrorTypeOK;
  return true;
}

std::unique_ptr<localOperatorCompiled> body(const std::wstring& text) {
  auto node = std::make_unique<localOperatorCompiled>(&textExecutor);
  node->text = text;
  return node;
}

TEST(ContextIndex, FunctionsKeepTheirPlaceWhenRegisteredAgain) {
  localContextUTF8 context;
  const std::size_t strlenAt = context.funcFind(L"strlen");
  ASSERT_NE(strlenAt, localContextUTF8::npos);
  EXPECT_EQ(context.funcByIdx(static_cast<unsigned>(strlenAt)).name, L"STRLEN");

  ASSERT_TRUE(context.funcAddAsOperatorCompiled(L"mine", body(L"first")));
  const std::size_t mineAt = context.funcFind(L"MINE");
  ASSERT_TRUE(context.funcAddAsOperatorCompiled(L"Mine", body(L"second")));
  EXPECT_EQ(context.funcFind(L"mine"), mineAt);
  EXPECT_EQ(context.funcCount(), mineAt + 1);

  // A built-in replaced by a body runs the body, called by name or by position.
  ASSERT_TRUE(context.funcAddAsOperatorCompiled(L"StrLen", body(L"replaced")));
  EXPECT_EQ(context.funcFind(L"STRLEN"), strlenAt);
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;
  ASSERT_TRUE(context.funcExecAt(state, strlenAt, nullptr, &result));
  EXPECT_EQ(result.getStr(), L"replaced");
  ASSERT_TRUE(context.funcExec(state, L"MINE", nullptr, &result));
  EXPECT_EQ(result.getStr(), L"second");

  EXPECT_FALSE(context.funcExecAt(state, localContextUTF8::npos, nullptr, &result));
  EXPECT_EQ(state, localErrorTypeFUNCTIONunknown);
}

TEST(ContextIndex, BuiltinByPositionChecksItsArgumentsLikeByName) {
  localContextUTF8 context;
  localOwnedValueList list = contextTest::args({str(L"abcd")});
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;
  ASSERT_TRUE(context.funcExecAt(state, context.funcFind(L"стрдлина"), list.get(), &result));
  EXPECT_EQ(result.getNum(), 4);
  localOwnedValueList two = contextTest::args({str(L"a"), str(L"b")});
  EXPECT_FALSE(context.funcExecAt(state, context.funcFind(L"STRLEN"), two.get(), &result));
  EXPECT_EQ(state, localErrorTypePARAMETERScount);
  // CLASSLOAD makes its result false when it fails, by position as by name.
  localOwnedValueList unknown = contextTest::args({str(L"NOSUCHCLASS")});
  result.setVal(5.0);
  EXPECT_FALSE(context.funcExecAt(state, context.funcFind(L"classload"), unknown.get(), &result));
  EXPECT_EQ(result.getType(), localValueDescription::typeBoolean);
}

}  // namespace
