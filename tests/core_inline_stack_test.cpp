// The evaluator's stacks: values beyond the inline room spill to the heap and come back
// in order; an expression whose operators bind ever tighter keeps every operand waiting.
#include <gtest/gtest.h>

#include <string>

#include "core/localInlineStack.h"
#include "interp_test_support.h"

namespace {

TEST(CoreInlineStack, SpillsPastItsRoomAndPopsBackInOrder) {
  localInlineStack<std::wstring, 3> stack;
  for (int i = 0; i < 10; ++i) stack.emplace_back(std::wstring(40, static_cast<wchar_t>(L'a' + i)));
  ASSERT_EQ(stack.size(), 10u);
  EXPECT_EQ(stack[2], std::wstring(40, L'c'));
  EXPECT_EQ(stack[7], std::wstring(40, L'h'));
  for (int i = 9; i >= 1; --i) {
    EXPECT_EQ(stack.back(), std::wstring(40, static_cast<wchar_t>(L'a' + i)));
    stack.pop_back();
  }
  EXPECT_EQ(stack.front(), std::wstring(40, L'a'));
  stack.emplace_back(L"again");  // left for the destructor, inline and spilled alike
  for (int i = 0; i < 5; ++i) stack.emplace_back(L"spilled long enough to own heap memory");
}

TEST(CoreInlineStack, EvaluatorKeepsElevenOperandsWaiting) {
  // Each operator binds tighter than the one before: nothing is applied until the end,
  // and then from the right, as with brackets around each right side.
  const auto ladder = interpTest::evaluate(L"1 - 2 + 3 / 4 * 5");
  ASSERT_TRUE(ladder.ok);
  EXPECT_EQ(ladder.value.getNum(), 1 - (2 + 3.0 / (4 * 5)));
  // Comparisons give booleans, which the next comparison refuses: the same failure with
  // eleven operands waiting as with the brackets written out.
  const auto deep = interpTest::evaluate(L"1 = 2 <> 3 >= 4 > 5 <= 6 < 7 - 8 + 9 / 10 * 11");
  const auto reference = interpTest::evaluate(L"1 = (2 <> (3 >= (4 > (5 <= (6 < (7 - (8 + (9 / (10 * 11))))))))))");
  EXPECT_FALSE(deep.ok);
  EXPECT_EQ(deep.state, localErrorTypeOPERANDtype);
  EXPECT_EQ(deep.state, reference.state);
  const auto strings = interpTest::evaluate(L"'a' < 'b' + 'c' + 'd' + 'e' + 'f' + 'g' + 'h' + 'i'");
  ASSERT_TRUE(strings.ok);
  EXPECT_TRUE(strings.value.getBoo());
}

}  // namespace
