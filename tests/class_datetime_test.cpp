// The date-time class: its declaration, its text form and its class-level routine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "classes/localClassDateTime.h"
#include "context_test_support.h"

namespace {

TEST(DateTimeClass, DeclarationHasNamesAndRoutineButNoMembers) {
  localClassDeclaration* declaration = localClassDateTime::getClassDeclaration();
  EXPECT_EQ(declaration->className, L"DATE");
  EXPECT_EQ(declaration->classSynonym, L"ДАТА");
  EXPECT_EQ(declaration->description, L"класс ДАТА");
  EXPECT_EQ(declaration->classImplementation, &localClassDateTime::classImplementation);
  EXPECT_TRUE(declaration->members.empty());
  EXPECT_NE(localClassDateTime::getClassDeclaration(), declaration);
}

TEST(DateTimeClass, TextFormOfKnownMoments) {
  // Fix the time zone so the expected texts hold on any machine.
  const char* saved = std::getenv("TZ");
  const std::string previous = saved != nullptr ? saved : "";
  setenv("TZ", "UTC0", 1);
  tzset();
  localClassDateTime moment;
  moment.creationTime = 1577836805;  // 2020-01-01 00:00:05 UTC
  EXPECT_EQ(moment.toStdString(), "20200101:00:00:05");
  moment.creationTime = 1573308307;  // 2019-11-09 14:05:07 UTC
  EXPECT_EQ(moment.toStdString(), "20191109:14:05:07");
  moment.creationTime = INT32_MIN;
  EXPECT_EQ(moment.toStdString(), "19011213:20:45:52");
  if (saved != nullptr) {
    setenv("TZ", previous.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

TEST(DateTimeClass, NewObjectHoldsTheCurrentTime) {
  const auto before = static_cast<std::int64_t>(std::time(nullptr));
  localClassDateTime moment;
  const auto after = static_cast<std::int64_t>(std::time(nullptr));
  EXPECT_GE(moment.creationTime, before);
  EXPECT_LE(moment.creationTime, after);
}

TEST(DateTimeClass, ClassLevelRoutine) {
  localReturnStateType state = localErrorTypeOK;
  void* object = nullptr;
  localValueDescription value;
  localValueDescription* result = &value;
  ASSERT_TRUE(localClassDateTime::classImplementation(state, object, result, L"", nullptr));
  EXPECT_EQ(state, localErrorTypeOK);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(value.getObj(), object);
  EXPECT_EQ(value.getClassName(), L"DATE");
  const std::string expected = static_cast<localClassDateTime*>(object)->toStdString();

  EXPECT_FALSE(localClassDateTime::classImplementation(state, object, result, L"TOSTRING", nullptr));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEunknown);

  std::vector<localValueDescription> none;
  state = localErrorTypeOK;
  localValueDescription text;
  result = &text;
  ASSERT_TRUE(localClassDateTime::classImplementation(state, object, result, L"СТРОКА", &none));
  EXPECT_EQ(text.getStr(), localString::stdStringMultibyteToStdWString(expected));

  std::vector<localValueDescription> one(1);
  EXPECT_FALSE(localClassDateTime::classImplementation(state, object, result, L"TOSTRING", &one));
  EXPECT_EQ(state, localErrorTypePARAMETERScount);
  EXPECT_FALSE(localClassDateTime::classImplementation(state, object, result, L"OTHER", &none));
  EXPECT_EQ(state, localErrorTypeMETHODunknown);

  localValueDescription* missing = nullptr;
  EXPECT_FALSE(localClassDateTime::classImplementation(state, object, missing, L"", nullptr));
  EXPECT_EQ(state, localErrorTypeCODE);
}

TEST(DateTimeClass, ObjectsCannotBeMadeThroughMembers) {
  localReturnStateType state = localErrorTypeOK;
  localValueDescription value;
  EXPECT_FALSE(localClassDateTime::getClassDeclaration()->methodExec(state, nullptr, L"", nullptr, &value));
  EXPECT_EQ(state, localErrorTypeCONSTRUCTORmissing);
}

}  // namespace
