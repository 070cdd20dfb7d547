// Listings of the context that transcripts cannot show well: object values (whose
// addresses change from run to run), classes with unusual declarations, and the
// context's text form.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localKeepAlive.h"
#include "interp/localInterpretatorUTF8.h"
#include "shell_test_support.h"
#include "text/localString.h"

namespace {

using shellTest::CoutCapture;

bool anExec(localReturnStateType&, void*&, const std::wstring&, localValueList*, localValueDescription&) { return true; }
bool aGet(localReturnStateType&, void* const&, const std::wstring&, localValueDescription&) { return true; }
bool aSet(localReturnStateType&, void* const&, const std::wstring&, localValueDescription&) { return true; }

std::string hex(const void* pointer) {
  return localString::wstringToStdStringMultibyte(localString::pointerToStdWString(pointer));
}

TEST(ShellListing, ObjectVariableShowsClassPointerAndTextForm) {
  localContextUTF8 context;
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  {
    CoutCapture quiet;
    const std::wstring load = L"LOAD CLASS TEST";
    ASSERT_TRUE(localInterpretatorUTF8::scanStringGetOperatorAndExec(state, load, position, &context, false));
    position = 0;
    const std::wstring create = L"t = CREATEOBJECT('TEST')";
    ASSERT_TRUE(localInterpretatorUTF8::scanStringGetOperatorAndExec(state, create, position, &context, false));
  }
  const void* object = context.varGetPointer(L"T")->value.getObj();
  ASSERT_NE(object, nullptr);

  CoutCapture capture;
  context.varPrintCOUT(L"t");
  EXPECT_EQ(capture.text(), "var [T] :     Type: [ТЕСТ]  className: [TEST]  number: [0]  pointer: [" + hex(object) +
                                "]  wStr: []  Value: [объект тестового класса [ТЕСТ] c числом 12121212] \n");
}

TEST(ShellListing, UnknownVariableIsReported) {
  localContextUTF8 context;
  CoutCapture capture;
  context.varPrintCOUT(L"nope");
  EXPECT_EQ(capture.text(), "variable [nope] not found!!! \n");
}

TEST(ShellListing, ClassListShowsEveryKindOfMemberAndIgnoresTheTemplate) {
  localContextUTF8 context;
  auto owned = std::make_unique<localClassDeclaration>();
  owned->className = L"ZED";
  owned->classSynonym = L"ЯЩИК";
  owned->description = L"d";
  owned->addMember(L"", anExec, nullptr, nullptr);
  owned->addMember(L"  ", anExec, nullptr, nullptr);        // blanks only: also a constructor
  owned->addMember(L"WRITEONLY", nullptr, aSet, nullptr);
  owned->addMember(L"BOTH", anExec, nullptr, aGet);         // a method first of all
  owned->addMember(L"READ", nullptr, nullptr, aGet);
  owned->addMember(L"NONE", nullptr, nullptr, nullptr);
  context.classReg(localKeepAlive(std::move(owned)));

  CoutCapture capture;
  context.dispClas(L"NOMATCH*");
  EXPECT_EQ(capture.text(),
            "СПИСОК КЛАССОВ \n\n"
            "0 ДАТА (DATE)  реализация есть!  - класс ДАТА \n\n"
            "1 ЯЩИК (ZED)  реализации НЕТ!  - d \n"
            ". члены класса : \n"
            "... 0   <конструктор>\n"
            "... 1 <конструктор>\n"
            "... 2 BOTH() : метод \n"
            "... 3 NONE : аттрибут \n"
            "... 4 READ : аттрибут  [readable] \n"
            "... 5 WRITEONLY : аттрибут  [writeable] \n\n");
}

// A class whose names are not upper case cannot be found by the context's lookup; the
// listing still shows it.
TEST(ShellListing, ClassWithLowerCaseNamesIsListed) {
  localContextUTF8 context;
  context.classReg(localKeepAlive(std::make_unique<localClassDeclaration>()));
  CoutCapture capture;
  context.dispClas(L"");
  EXPECT_EQ(capture.text(),
            "СПИСОК КЛАССОВ \n\n"
            "0 new class (новый класс)  реализации НЕТ!  -  \n\n"
            "1 ДАТА (DATE)  реализация есть!  - класс ДАТА \n\n");
}

TEST(ShellListing, ContextTextFormNamesItsAddress) {
  localContextUTF8 context;
  EXPECT_EQ(context.toStdString(), "объект класса [КОНТЕКСТ] по адресу [" + hex(&context) + "]");
}

}  // namespace
