// The test class through the value operations: construction, attributes, SELF sharing,
// wrapping arithmetic and the trace lines of its methods.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "classes/localClassForTest.h"
#include "context_test_support.h"

namespace {

using contextTest::CoutCapture;
using contextTest::num;
using contextTest::str;

std::string trace(const std::wstring& lead, unsigned line) {
  return localString::wstringToStdStringMultibyte(lead) +
         "classImplementationMethodFunction file: localInterpretatorUTF8 line: " + std::to_string(line) + "\n";
}

class TestClass : public ::testing::Test {
 protected:
  void SetUp() override {
    localClassDeclaration* declaration = localClassForTest::getClassDeclaration();
    localReturnStateType state = localErrorTypeOK;
    ASSERT_TRUE(declaration->methodExec(state, nullptr, L"", nullptr, &object));
    ASSERT_EQ(state, localErrorTypeOK);
  }

  struct Outcome {
    bool ok = false;
    localReturnStateType state = localErrorTypeOK;
    localValueDescription result;
    std::string printed;
  };

  Outcome method(const std::wstring& name, localValueList* arguments = nullptr) {
    Outcome outcome;
    CoutCapture capture;
    outcome.ok = object.methodExec(outcome.state, name, arguments, outcome.result);
    outcome.printed = capture.text();
    return outcome;
  }
  bool setInt(const localValueDescription& value) {
    localValueDescription copy = value;
    localReturnStateType state = localErrorTypeOK;
    return object.setAttr(state, L"attribInt", copy);
  }

  localValueDescription object;
};

TEST_F(TestClass, SharedDeclarationAndFreshObject) {
  localClassDeclaration* declaration = localClassForTest::getClassDeclaration();
  EXPECT_EQ(declaration, localClassForTest::getClassDeclaration());
  EXPECT_EQ(object.getClassDeclaration(), declaration);
  EXPECT_EQ(declaration->className, L"TEST");
  EXPECT_EQ(declaration->classSynonym, L"ТЕСТ");
  EXPECT_EQ(declaration->description, L"тестовый класс для отладки объектно-ориентированного программирования");
  ASSERT_EQ(declaration->members.size(), 7u);
  EXPECT_EQ(declaration->members[2]->name, L"ATTRIBINT");
  EXPECT_NE(declaration->members[2]->getFunction, nullptr);
  EXPECT_NE(declaration->members[2]->setFunction, nullptr);
  EXPECT_EQ(declaration->members[1]->setFunction, nullptr);  // SELF is read-only

  EXPECT_EQ(object.toString(), L"объект тестового класса [ТЕСТ] c числом 12121212");
  EXPECT_EQ(method(L"getint").result.getNum(), 12121212);

  const Outcome plusOne = method(L"GETINTPLUSONE");
  EXPECT_EQ(plusOne.result.getNum(), 12121213);
  EXPECT_EQ(plusOne.printed, trace(L" метод GETINTPLUSONE() thisObj->attribInt=12121212 func: ", 3731));

  localOwnedValueList half = contextTest::args({num(0.5)});
  EXPECT_EQ(method(L"GETINTPLUS", half.get()).result.getNum(), 12121212.5);

  // Two constructions give two objects.
  localValueDescription other;
  localReturnStateType state = localErrorTypeOK;
  declaration->methodExec(state, nullptr, L"", nullptr, &other);
  EXPECT_NE(other.getObj(), object.getObj());
}

TEST_F(TestClass, AttributeWritesTruncateAndSaturate) {
  const struct {
    double written;
    double stored;
  } cases[] = {{3.9, 3}, {-3.9, -3}, {2147483647, 2147483647}, {2147483648.0, -2147483648.0},
               {-2147483649.0, -2147483648.0}, {1e300, -2147483648.0}};
  for (const auto& c : cases) {
    ASSERT_TRUE(setInt(num(c.written)));
    EXPECT_EQ(method(L"GETINT").result.getNum(), c.stored) << c.written;
  }
  // A string value contributes the number field it carries.
  localValueDescription text = num(77);
  text.setVal(L"123");
  ASSERT_TRUE(setInt(text));
  EXPECT_EQ(method(L"GETINT").result.getNum(), 77);
  ASSERT_TRUE(setInt(num(NAN)));
  EXPECT_EQ(method(L"GETINT").result.getNum(), -2147483648.0);
}

TEST_F(TestClass, PlusOneWrapsAround) {
  ASSERT_TRUE(setInt(num(2147483647)));
  const Outcome outcome = method(L"GETINTPLUSONE");
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.result.getNum(), -2147483648.0);
  EXPECT_EQ(outcome.printed, trace(L" метод GETINTPLUSONE() thisObj->attribInt=2147483647 func: ", 3731));
}

TEST_F(TestClass, SelfRefersToTheSameObject) {
  localValueDescription self;
  localReturnStateType state = localErrorTypeOK;
  ASSERT_TRUE(object.getAttr(state, L"Self", self));
  EXPECT_EQ(self.getObj(), object.getObj());
  localValueDescription five = num(5);
  ASSERT_TRUE(self.setAttr(state, L"ATTRIBINT", five));
  EXPECT_EQ(method(L"GETINT").result.getNum(), 5);
  localValueDescription read;
  ASSERT_TRUE(object.getAttr(state, L"attribint", read));
  EXPECT_EQ(read.getNum(), 5);
}

TEST_F(TestClass, MemberKindsAndUnknownNames) {
  localValueDescription value;
  localReturnStateType state = localErrorTypeOK;
  EXPECT_FALSE(object.getAttr(state, L"GETINT", value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEnotReadable);
  EXPECT_EQ(method(L"ATTRIBINT").state, localErrorTypeMETHODunknown);
  EXPECT_EQ(method(L"ПОЛУЧИТЬЦЕЛОЕ").state, localErrorTypeMETHODunknown);  // no member of that name

  // The functions themselves, reached directly.
  void* raw = object.getObj();
  state = localErrorTypeOK;
  EXPECT_TRUE(localClassForTest::classImplementationMethodFunction(state, raw, L"ПОЛУЧИТЬЦЕЛОЕ", nullptr, value));
  EXPECT_EQ(value.getNum(), 12121212);
  EXPECT_FALSE(localClassForTest::classImplementationMethodFunction(state, raw, L"NOSUCH", nullptr, value));
  EXPECT_EQ(state, localErrorTypeMETHODunknown);
  void* none = nullptr;
  EXPECT_FALSE(localClassForTest::classImplementationMethodFunction(state, none, L"GETINT", nullptr, value));
  EXPECT_EQ(state, localErrorTypeSTATICcallUnsupported);
  EXPECT_FALSE(localClassForTest::classImplementationAttribGetFunction(state, raw, L"NOSUCH", value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEunknown);
  EXPECT_EQ(value.getType(), localValueDescription::typeString);
  EXPECT_EQ(value.getStr(), L"localErrorTypeATTRIBUTEunknown");
  EXPECT_FALSE(localClassForTest::classImplementationAttribSetFunction(state, raw, L"SELF", value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEunknown);
}

TEST_F(TestClass, ArgumentListsWhereNoneAreTaken) {
  localOwnedValueList one = contextTest::args({num(1)});
  for (const wchar_t* name : {L"TOSTRING", L"GETINT", L"GETINTPLUSONE"}) {
    EXPECT_EQ(method(name, one.get()).state, localErrorTypePARAMETERScount);
  }
  // Without any list GETINTPLUS stops after its first trace line.
  const Outcome outcome = method(L"GETINTPLUS");
  EXPECT_EQ(outcome.state, localErrorTypePARAMETERScount);
  EXPECT_EQ(outcome.printed, trace(L" метод GETINTPLUS() thisObj->attribInt=12121212 func: ", 3741));
}

}  // namespace
