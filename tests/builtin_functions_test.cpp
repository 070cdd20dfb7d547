// The built-in function routine, called directly: each function under both names,
// argument checks (count before kind, kinds from the first argument) and results.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "classes/localClassForTest.h"
#include "context/localContextUTF8.h"
#include "context_test_support.h"

namespace {

using contextTest::boo;
using contextTest::builtin;
using contextTest::Call;
using contextTest::num;
using contextTest::str;

// Both names of a function must behave the same; returns the English call.
Call both(const std::wstring& english, const std::wstring& russian,
          std::initializer_list<localValueDescription> values, localContextUTF8* context = nullptr) {
  Call first = builtin(english, values, context);
  Call second = builtin(russian, values, context);
  EXPECT_EQ(first.ok, second.ok) << "names " << english.size();
  EXPECT_EQ(first.state, second.state);
  EXPECT_EQ(first.result.getType(), second.result.getType());
  EXPECT_EQ(first.result.toString(), second.result.toString());
  EXPECT_EQ(first.printed, second.printed);
  return first;
}

void expectFailure(const Call& call, localReturnStateType state) {
  EXPECT_FALSE(call.ok);
  EXPECT_EQ(call.state, state);
}

void expectNumber(const Call& call, double number) {
  EXPECT_TRUE(call.ok);
  EXPECT_EQ(call.state, localErrorTypeOK);
  EXPECT_EQ(call.result.getType(), localValueDescription::typeNumber);
  EXPECT_EQ(call.result.getNum(), number);
}

void expectString(const Call& call, const std::wstring& text) {
  EXPECT_TRUE(call.ok);
  EXPECT_EQ(call.state, localErrorTypeOK);
  EXPECT_EQ(call.result.getType(), localValueDescription::typeString);
  EXPECT_EQ(call.result.getStr(), text);
}

void expectBoolean(const Call& call, bool flag) {
  EXPECT_TRUE(call.ok);
  EXPECT_EQ(call.result.getType(), localValueDescription::typeBoolean);
  EXPECT_EQ(call.result.getBoo(), flag);
}

localValueDescription object() {
  localValueDescription value;
  static localClassForTest instance;
  value.setVal(&instance, localClassForTest::getClassDeclaration());
  return value;
}

TEST(BuiltinDispatch, UnknownAndLowerCaseNames) {
  expectFailure(builtin(L"NOSUCH", {}), localErrorTypeMETHODunknown);
  expectFailure(builtin(L"strlen", {str(L"a")}), localErrorTypeMETHODunknown);
  expectFailure(builtin(L"", {}), localErrorTypeMETHODunknown);
}

TEST(BuiltinDispatch, AbsentListCountsAsEmpty) {
  localReturnStateType state = localErrorTypeOK;
  localValueDescription result;
  void* object = nullptr;
  EXPECT_TRUE(localContextUTF8::classImplementationMethodFunction(state, object, L"RAND", nullptr, result));
  EXPECT_FALSE(localContextUTF8::classImplementationMethodFunction(state, object, L"STRLEN", nullptr, result));
  EXPECT_EQ(state, localErrorTypePARAMETERScount);
}

TEST(BuiltinDispatch, CountIsCheckedBeforeKindAndFailuresKeepTheResult) {
  // Each row: name, a list of the wrong length whose first argument also has a wrong kind.
  struct row {
    const wchar_t* name;
    std::vector<localValueDescription> tooMany;
  };
  const std::vector<row> rows = {
      {L"CREATEOBJECT", {num(1), num(2)}}, {L"EMPTYVALUE", {object(), num(1)}}, {L"INT", {str(L"a"), str(L"b")}},
      {L"NUMBER", {num(1), num(2)}}, {L"RAND", {str(L"a")}}, {L"RIGHT", {num(1)}},
      {L"STRLEN", {num(1), num(2)}}, {L"TRIMALL", {num(1), num(2)}}, {L"TRIML", {num(1), num(2)}},
      {L"TRIMR", {num(1), num(2)}}, {L"TOSTRING", {num(1)}}, {L"STRING", {}}, {L"MESSAGE", {}},
      {L"TYPEASSTRING", {}}, {L"MAX", {}}, {L"MIN", {}},
  };
  for (const row& r : rows) {
    localContextUTF8 context;
    Call call;
    call.result = str(L"untouched");
    localOwnedValueList list;
    for (const localValueDescription& value : r.tooMany) list.add(std::make_unique<localValueDescription>(value));
    void* object = &context;
    call.ok = localContextUTF8::classImplementationMethodFunction(call.state, object, r.name, list.get(), call.result);
    expectFailure(call, localErrorTypePARAMETERScount);
    EXPECT_EQ(call.result.getStr(), L"untouched") << r.name;
  }
}

TEST(BuiltinDispatch, KindsAreCheckedFromTheFirstArgument) {
  expectFailure(builtin(L"RIGHT", {num(1), str(L"x")}), localErrorTypePARAMETERStype);
  expectFailure(builtin(L"RIGHT", {str(L"x"), str(L"1")}), localErrorTypePARAMETERStype);
  expectFailure(builtin(L"INT", {str(L"1")}), localErrorTypePARAMETERStype);
  expectFailure(builtin(L"INT", {boo(true)}), localErrorTypePARAMETERStype);
  for (const wchar_t* name : {L"NUMBER", L"STRLEN", L"TRIMALL", L"TRIML", L"TRIMR", L"CREATEOBJECT"}) {
    expectFailure(builtin(name, {num(1)}), localErrorTypePARAMETERStype);
    expectFailure(builtin(name, {object()}), localErrorTypePARAMETERStype);
  }
  expectFailure(builtin(L"EMPTYVALUE", {object()}), localErrorTypePARAMETERStype);
}

TEST(BuiltinText, LengthsTrimmingAndRight) {
  expectNumber(both(L"STRLEN", L"СТРДЛИНА", {str(L"ж")}), 1);
  expectString(both(L"TRIMALL", L"СОКРЛП", {str(L"\t x \n")}), L"x");
  expectString(builtin(L"TRIMALL", {str(L"\rx\r")}), L"\rx\r");  // carriage return is no blank
  expectString(both(L"TRIML", L"СОКРЛ", {str(L"  a b ")}), L"a b ");
  expectString(both(L"TRIMR", L"СОКРП", {str(L"  a b \t")}), L"  a b");
  expectString(both(L"RIGHT", L"ПРАВ", {str(L"abcdef"), num(2)}), L"ef");
  expectString(builtin(L"RIGHT", {str(L"abc"), num(1.9)}), L"c");
  expectString(builtin(L"RIGHT", {str(L"abc"), num(-1)}), L"abc");           // 4294967295
  expectString(builtin(L"RIGHT", {str(L"abc"), num(4294967298.0)}), L"bc");  // modulo 2^32
  expectString(builtin(L"RIGHT", {str(L"abc"), num(-4294967295.0)}), L"c");
  expectString(builtin(L"RIGHT", {str(L"abc"), num(NAN)}), L"");
  expectString(builtin(L"RIGHT", {str(L"abc"), num(INFINITY)}), L"");
}

TEST(BuiltinText, NumberReadsOnlyADecimalBeginning) {
  expectNumber(both(L"NUMBER", L"ЧИСЛО", {str(L"  12.5abc")}), 12.5);
  const struct {
    const wchar_t* text;
    double number;
  } cases[] = {
      {L"abc", 0},      {L"1,5", 1},      {L"   ", 0},       {L"", 0},          {L"-3", -3},
      {L"+4.", 4},      {L".25", 0.25},   {L"-.5x", -0.5},   {L".", 0},         {L"-", 0},
      {L"1e3", 1000},   {L"1E-2", 0.01},  {L"2e", 2},        {L"2e+", 2},       {L"2ex", 2},
      {L"0x1A", 0},     {L"inf", 0},      {L"nan", 0},       {L"-infinity", 0}, {L"12ж", 12},
      {L"\t7", 7},      {L"\r7", 0},      {L"1.5.5", 1.5},   {L"007", 7},
  };
  for (const auto& c : cases) {
    const Call call = builtin(L"NUMBER", {str(c.text)});
    EXPECT_TRUE(call.ok);
    EXPECT_EQ(call.result.getNum(), c.number) << localString::wstringToStdStringMultibyte(c.text);
  }
  EXPECT_TRUE(std::isinf(builtin(L"NUMBER", {str(L"1e999")}).result.getNum()));
}

TEST(BuiltinText, TextFormsAndTypeNames) {
  expectString(both(L"STRING", L"СТРОКА", {num(2.5)}), L"2.5");
  expectString(builtin(L"STRING", {boo(true)}), L"ИСТИНА");
  expectString(builtin(L"STRING", {object()}), L"объект тестового класса [ТЕСТ] c числом 12121212");
  expectString(both(L"TYPEASSTRING", L"ТИПЗНАЧЕНИЯСТР", {num(1)}), L"ЧИСЛО");
  expectString(builtin(L"TYPEASSTRING", {str(L"1")}), L"СТРОКА");
  expectString(builtin(L"TYPEASSTRING", {boo(false)}), L"неизвестный тип");
  expectString(builtin(L"TYPEASSTRING", {object()}), L"ТЕСТ");
}

TEST(BuiltinValues, IntTruncatesAndSaturates) {
  expectNumber(both(L"INT", L"ЦЕЛ", {num(-2.7)}), -2);
  expectNumber(builtin(L"INT", {num(3.99)}), 3);
  expectNumber(builtin(L"INT", {num(2147483647.9)}), 2147483647);
  expectNumber(builtin(L"INT", {num(-2147483648.9)}), -2147483648.0);
  expectNumber(builtin(L"INT", {num(2147483648.0)}), -2147483648.0);
  expectNumber(builtin(L"INT", {num(-1e300)}), -2147483648.0);
  expectNumber(builtin(L"INT", {num(NAN)}), -2147483648.0);
  expectNumber(builtin(L"INT", {num(INFINITY)}), -2147483648.0);
}

TEST(BuiltinValues, EmptyValue) {
  expectBoolean(both(L"EMPTYVALUE", L"ПУСТОЕЗНАЧЕНИЕ", {num(0)}), true);
  expectBoolean(builtin(L"EMPTYVALUE", {num(0.1)}), false);
  expectBoolean(builtin(L"EMPTYVALUE", {str(L" ")}), true);
  expectBoolean(builtin(L"EMPTYVALUE", {str(L"")}), true);
  expectBoolean(builtin(L"EMPTYVALUE", {str(L" x")}), false);
  expectBoolean(builtin(L"EMPTYVALUE", {boo(false)}), false);  // its own truth, not the negation
  expectBoolean(builtin(L"EMPTYVALUE", {boo(true)}), true);
}

TEST(BuiltinValues, MaxAndMin) {
  // The first of equal arguments wins: told apart by the text field a number carries.
  localValueDescription firstSeven = str(L"first");
  firstSeven.setVal(7.0);
  localValueDescription secondSeven = str(L"second");
  secondSeven.setVal(7.0);
  Call call = both(L"MAX", L"МАКС", {num(3), firstSeven, secondSeven, num(1)});
  expectNumber(call, 7);
  EXPECT_EQ(call.result.getStr(), L"first");
  call = both(L"MIN", L"МИН", {num(3), firstSeven, num(1), num(1)});
  expectNumber(call, 1);

  expectString(builtin(L"MIN", {str(L"b"), str(L"a"), str(L"c")}), L"a");
  expectString(builtin(L"MAX", {str(L"a"), str(L"B")}), L"a");
  expectString(builtin(L"MAX", {str(L"ab"), str(L"abc"), str(L"a")}), L"abc");
  expectBoolean(builtin(L"MAX", {boo(false), boo(true), boo(false)}), true);
  expectBoolean(builtin(L"MIN", {boo(true), boo(false)}), false);
  expectString(builtin(L"MAX", {str(L"only")}), L"only");

  expectFailure(builtin(L"MAX", {num(1), str(L"a")}), localErrorTypePARAMETERStype);
  expectFailure(builtin(L"MIN", {str(L"a"), num(1)}), localErrorTypePARAMETERStype);
  expectFailure(builtin(L"MAX", {object(), object()}), localErrorTypePARAMETERStype);
  expectFailure(builtin(L"MAX", {}), localErrorTypePARAMETERScount);
  call = builtin(L"MAX", {object()});
  EXPECT_TRUE(call.ok);
  EXPECT_EQ(call.result.getType(), localValueDescription::typeObject);
  EXPECT_EQ(call.result.getClassDeclaration(), localClassForTest::getClassDeclaration());
}

TEST(BuiltinValues, MessagePrintsTheTextForm) {
  Call call = both(L"MESSAGE", L"СООБЩИТЬ", {num(2.5)});
  expectNumber(call, 1);
  EXPECT_EQ(call.printed, "2.5\n");
  call = builtin(L"MESSAGE", {str(L"привет")});
  EXPECT_EQ(localString::stdStringMultibyteToStdWString(call.printed), L"привет\n");
  EXPECT_EQ(builtin(L"MESSAGE", {boo(false)}).printed, localString::wstringToStdStringMultibyte(L"ЛОЖЬ\n"));
}

TEST(BuiltinValues, RandStaysInRangeAndVaries) {
  double smallest = 2;
  double largest = -1;
  for (int i = 0; i < 2000; ++i) {
    const Call call = builtin(i % 2 == 0 ? L"RAND" : L"СЛУЧАЙНОЕЧИСЛО", {});
    ASSERT_TRUE(call.ok);
    const double value = call.result.getNum();
    ASSERT_GE(value, 0.0);
    ASSERT_LE(value, 1.0);
    // Whole steps of 1/32767.
    const double steps = value * 32767.0;
    ASSERT_NEAR(steps, std::round(steps), 1e-6);
    smallest = std::min(smallest, value);
    largest = std::max(largest, value);
  }
  EXPECT_LT(smallest, 0.1);
  EXPECT_GT(largest, 0.9);
}

TEST(BuiltinClasses, ClassLoadRegistersKnownClassesOnly) {
  localContextUTF8 context;
  Call call = builtin(L"CLASSLOAD", {str(L" test")}, &context);
  expectBoolean(call, true);
  EXPECT_EQ(context.getClassCount(), 2u);
  EXPECT_EQ(context.getClassDeclarationByIdx(1), localClassForTest::getClassDeclaration());
  expectBoolean(builtin(L"КЛАССЗАГРУЗИТЬ", {str(L"тест")}, &context), true);
  EXPECT_EQ(context.getClassDeclarationByIdx(2), localClassForTest::getClassDeclaration());

  expectBoolean(builtin(L"CLASSLOAD", {str(L"ValueTable")}, &context), true);
  expectBoolean(builtin(L"CLASSLOAD", {str(L"таблицазначений")}, &context), true);
  ASSERT_EQ(context.getClassCount(), 5u);
  EXPECT_EQ(context.getClassDeclarationByIdx(3), context.getClassDeclarationByIdx(4));  // one for the run
  EXPECT_EQ(context.getClassDeclarationByIdx(3)->className, L"VALUETABLE");

  for (const wchar_t* name : {L"test ", L"", L"   ", L"DATE", L"NOSUCH"}) {
    call = builtin(L"CLASSLOAD", {str(name)}, &context);
    EXPECT_FALSE(call.ok);
    EXPECT_EQ(call.state, localErrorTypeCLASSunknown);
    EXPECT_EQ(call.result.getType(), localValueDescription::typeBoolean);
    EXPECT_FALSE(call.result.getBoo());
  }
  EXPECT_EQ(context.getClassCount(), 5u);

  // Argument failures also leave boolean false in the result.
  call = builtin(L"CLASSLOAD", {num(1)}, &context);
  expectFailure(call, localErrorTypePARAMETERStype);
  EXPECT_EQ(call.result.getType(), localValueDescription::typeBoolean);
  call = builtin(L"CLASSLOAD", {}, &context);
  expectFailure(call, localErrorTypePARAMETERScount);
  EXPECT_EQ(call.result.getType(), localValueDescription::typeBoolean);
}

TEST(BuiltinClasses, CreateObjectGoesThroughTheStore) {
  localContextUTF8 context;
  expectFailure(both(L"CREATEOBJECT", L"СОЗДАТЬОБЪЕКТ", {str(L"TEST")}, &context), localErrorTypeCLASSunknown);
  expectFailure(builtin(L"CREATEOBJECT", {str(L"ДАТА")}, &context), localErrorTypeCONSTRUCTORmissing);
  builtin(L"CLASSLOAD", {str(L"TEST")}, &context);
  const Call call = builtin(L"CREATEOBJECT", {str(L"test")}, &context);
  EXPECT_TRUE(call.ok);
  EXPECT_EQ(call.result.getType(), localValueDescription::typeObject);
  EXPECT_EQ(call.result.getClassName(), L"TEST");
  // Without a context there is nothing to create in.
  expectFailure(builtin(L"CREATEOBJECT", {str(L"TEST")}), localErrorTypeCONTEXTmissing);
}

TEST(BuiltinClasses, ToStringNamesTheContext) {
  localContextUTF8 context;
  const Call call = both(L"TOSTRING", L"ВСТРОКУ", {}, &context);
  expectString(call, L"localClassForTest::classImplementationMethodFunction " +
                         localString::stdStringMultibyteToStdWString(context.toStdString()));
  EXPECT_EQ(call.result.getStr().rfind(L"localClassForTest::classImplementationMethodFunction объект класса "
                                       L"[КОНТЕКСТ] по адресу [0x",
                                       0),
            0u);
}

}  // namespace
