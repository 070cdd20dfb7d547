#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/localReturnStateType.h"

using localString::returnStateAsString;

namespace {
std::wstring message(int code) { return returnStateAsString(static_cast<localReturnStateType>(code)); }
const std::wstring unknownStatus = L"Неизвестный статус возврата ном: ";
}  // namespace

TEST(CoreMessages, KnownTexts) {
  EXPECT_EQ(message(41), L"Ок. Ошибки отсутствуют");
  EXPECT_EQ(message(15), L"Деление на 0!");
  EXPECT_EQ(message(16), L"Контекст не задан.");
  EXPECT_EQ(message(17), L"Файл не найден.");
  EXPECT_EQ(message(26), L"Синтаксическая ошибка.");
  EXPECT_EQ(message(27), L"Синтаксическая ошибка. Ожидается \"=\"");
  EXPECT_EQ(message(30), L"Синтаксическая ошибка. Ожидается \";\"");
  EXPECT_EQ(message(39), L"Значение не являетсяо бъектом.");
  EXPECT_EQ(message(23), L"Объект неизвестногокласса!");
}

TEST(CoreMessages, ExpectedKeywordMessagesKeepTheirFinalBlank) {
  EXPECT_EQ(message(31), L"Синтаксическая ошибка. Ожидается ключевое слово \"ЦИКЛ\" (\"do\") ");
  EXPECT_EQ(message(36), L"Синтаксическая ошибка. Ожидается ключевое слово \"ПО\" (\"to\") ");
  for (int code = 31; code <= 36; ++code) {
    EXPECT_EQ(message(code).back(), L' ') << code;
    EXPECT_EQ(message(code).substr(message(code).size() - 3), L"\") ") << code;
  }
}

TEST(CoreMessages, CodesWithoutTextReportTheirNumber) {
  for (int code : {0, 1, 2, 3, 4, 5, 19, 22, 42, 1000}) {
    EXPECT_EQ(message(code), unknownStatus + std::to_wstring(code)) << code;
  }
  // A negative code is shown as the unsigned number it reads as.
  EXPECT_EQ(message(-1), unknownStatus + L"4294967295");
}

TEST(CoreMessages, EveryErrorCodeHasItsOwnText) {
  std::set<std::wstring> texts;
  for (int code = 6; code <= 41; ++code) {
    if (code == 19 || code == 22) continue;
    const std::wstring text = message(code);
    EXPECT_EQ(text.find(unknownStatus), std::wstring::npos) << code;
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), 34u);
}
