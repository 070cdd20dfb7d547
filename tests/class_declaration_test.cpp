#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "core/localClassDeclaration.h"
#include "tests/test_cout_capture.h"

namespace {

// Member functions that record what reached them and report a chosen state.
struct Seen {
  std::wstring name;
  void* object = nullptr;
  localValueList* arguments = nullptr;
  int calls = 0;
};
Seen seen;

bool execRecorder(localReturnStateType& state, void*& object, const std::wstring& name, localValueList* arguments,
                  localValueDescription& result) {
  seen = {name, object, arguments, seen.calls + 1};
  result.setVal(L"exec");
  state = localErrorTypeOK;
  return true;
}

bool execOther(localReturnStateType& state, void*&, const std::wstring&, localValueList*, localValueDescription& result) {
  result.setVal(L"other");
  state = localErrorTypeOK;
  return true;
}

bool execFailing(localReturnStateType& state, void*&, const std::wstring&, localValueList*, localValueDescription&) {
  state = localErrorTypePARAMETERStype;
  return false;
}

bool getRecorder(localReturnStateType&, void* const& object, const std::wstring& name, localValueDescription& result) {
  seen = {name, object, nullptr, seen.calls + 1};
  result.setVal(L"got");
  return true;  // leaves the state as the caller had it
}

bool setRecorder(localReturnStateType& state, void* const& object, const std::wstring& name, localValueDescription& value) {
  seen = {name, object, nullptr, seen.calls + 1};
  state = value.getNum() > 0 ? localErrorTypeOK : localErrorTypePARAMETERStype;
  return value.getNum() > 0;
}

using CaptureCout = testSupport::CoutCapture;

}  // namespace

TEST(ClassDeclaration, NewDeclarationAndMemberLookup) {
  localClassDeclaration declaration;
  EXPECT_EQ(declaration.className, L"новый класс");
  EXPECT_EQ(declaration.classSynonym, L"new class");
  EXPECT_TRUE(declaration.description.empty());
  EXPECT_EQ(declaration.classImplementation, nullptr);
  EXPECT_EQ(declaration.getMember(L"X"), nullptr);

  auto* first = declaration.addMember(L"X", execRecorder, nullptr, nullptr);
  auto* lower = declaration.addMember(L"y", execRecorder, nullptr, nullptr);
  auto* second = declaration.addMember(L"X", execOther, nullptr, getRecorder);
  ASSERT_EQ(declaration.members.size(), 3u);
  EXPECT_EQ(declaration.members[0], first);
  EXPECT_EQ(declaration.getMember(L"X"), second);  // the later member overrides
  EXPECT_EQ(declaration.getMember(L"y"), lower);   // exact comparison
  EXPECT_EQ(declaration.getMember(L"Y"), nullptr);
  EXPECT_EQ(second->getFunction, getRecorder);

  localValueDescription result;
  localReturnStateType state = localErrorTypeCODE;
  int object = 0;
  ASSERT_TRUE(declaration.methodExec(state, &object, L"X", nullptr, &result));
  EXPECT_EQ(result.getStr(), L"other");
}

// A site answers only for the declaration it found its member in, and only while that
// declaration has no new member: a later member of the same name overrides.
TEST(ClassDeclaration, MemberSiteFollowsDeclarationAndNewMembers) {
  localClassDeclaration first;
  localClassDeclaration second;
  first.addMember(L"M", execRecorder, nullptr, nullptr);
  localMemberSite site;
  EXPECT_EQ(first.getMember(L"M", &site), first.getMember(L"M"));
  EXPECT_EQ(second.getMember(L"M", &site), nullptr);  // not first's member
  EXPECT_EQ(first.getMember(L"M", &site), first.getMember(L"M"));

  const std::uint64_t before = first.stamp();
  auto* later = first.addMember(L"M", execOther, nullptr, nullptr);
  EXPECT_NE(first.stamp(), before);
  EXPECT_NE(first.stamp(), second.stamp());
  EXPECT_EQ(first.getMember(L"M", &site), later);

  // A site that found nothing learns of a member added afterwards.
  localMemberSite missing;
  EXPECT_EQ(second.getMember(L"M", &missing), nullptr);
  auto* added = second.addMember(L"M", execFailing, nullptr, nullptr);
  EXPECT_EQ(second.getMember(L"M", &missing), added);

  int object = 0;
  localValueDescription result;
  localReturnStateType state = localErrorTypeCODE;
  ASSERT_TRUE(first.methodExec(state, &object, L"M", nullptr, &result, &site));
  EXPECT_EQ(result.getStr(), L"other");
  EXPECT_FALSE(second.methodExec(state, &object, L"M", nullptr, &result, &site));
  EXPECT_EQ(state, localErrorTypePARAMETERStype);
  EXPECT_FALSE(second.methodExec(state, &object, L"NONE", nullptr, &result, nullptr));
  EXPECT_EQ(state, localErrorTypeMETHODunknown);
}

TEST(ClassDeclaration, DispatchPassesObjectNameAndArguments) {
  localClassDeclaration declaration;
  declaration.addMember(L"M", execRecorder, setRecorder, getRecorder);
  int object = 0;
  localOwnedValueList arguments;
  arguments.add(localValueDescription::New(1.0));
  localValueDescription result;
  localReturnStateType state = localErrorTypeCODE;

  ASSERT_TRUE(declaration.methodExec(state, &object, L"M", arguments.get(), &result));
  EXPECT_EQ(state, localErrorTypeOK);
  EXPECT_EQ(seen.object, &object);
  EXPECT_EQ(seen.name, L"M");
  EXPECT_EQ(seen.arguments, arguments.get());

  state = localErrorTypeSYNTAX;
  ASSERT_TRUE(declaration.getAttr(state, &object, L"M", &result));
  EXPECT_EQ(result.getStr(), L"got");
  EXPECT_EQ(state, localErrorTypeSYNTAX);  // dispatch sets no success state of its own

  localValueDescription value;
  value.setVal(-1.0);
  EXPECT_FALSE(declaration.setAttr(state, &object, L"M", &value));
  EXPECT_EQ(state, localErrorTypePARAMETERStype);
  value.setVal(1.0);
  EXPECT_TRUE(declaration.setAttr(state, &object, L"M", &value));
}

TEST(ClassDeclaration, AttributeFailures) {
  localClassDeclaration declaration;
  declaration.addMember(L"RUN", execRecorder, nullptr, nullptr);
  declaration.addMember(L"READONLY", nullptr, nullptr, getRecorder);
  declaration.addMember(L"WRITEONLY", nullptr, setRecorder, nullptr);
  int object = 0;
  localValueDescription value;
  localReturnStateType state = localErrorTypeOK;

  EXPECT_FALSE(declaration.getAttr(state, &object, L"NONE", &value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEunknown);
  EXPECT_FALSE(declaration.setAttr(state, &object, L"NONE", &value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEunknown);
  EXPECT_FALSE(declaration.getAttr(state, &object, L"RUN", &value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEnotReadable);
  EXPECT_FALSE(declaration.getAttr(state, &object, L"WRITEONLY", &value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEnotReadable);
  EXPECT_FALSE(declaration.setAttr(state, &object, L"READONLY", &value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEnotWritable);
  EXPECT_FALSE(declaration.getAttr(state, &object, L"readonly", &value));
  EXPECT_EQ(state, localErrorTypeATTRIBUTEunknown);
}

TEST(ClassDeclaration, MethodFailures) {
  localClassDeclaration declaration;
  declaration.addMember(L"READONLY", nullptr, nullptr, getRecorder);
  declaration.addMember(L"BAD", execFailing, nullptr, nullptr);
  int object = 0;
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;

  EXPECT_FALSE(declaration.methodExec(state, &object, L"READONLY", nullptr, &result));
  EXPECT_EQ(state, localErrorTypeMETHODunknown);
  EXPECT_FALSE(declaration.methodExec(state, &object, L"", nullptr, &result));
  EXPECT_EQ(state, localErrorTypeMETHODunknown);
  EXPECT_FALSE(declaration.methodExec(state, nullptr, L"", nullptr, &result));
  EXPECT_EQ(state, localErrorTypeCONSTRUCTORmissing);
  EXPECT_FALSE(declaration.methodExec(state, nullptr, L"STATIC", nullptr, &result));
  EXPECT_EQ(state, localErrorTypeSTATICmethodMissing);
  EXPECT_FALSE(declaration.methodExec(state, &object, L"BAD", nullptr, &result));
  EXPECT_EQ(state, localErrorTypePARAMETERStype);

  // A constructor is the member with the empty name, reached without an object.
  declaration.addMember(L"", execRecorder, nullptr, nullptr);
  EXPECT_TRUE(declaration.methodExec(state, nullptr, L"", nullptr, &result));
  EXPECT_EQ(seen.object, nullptr);
}

TEST(ClassDeclaration, MissingResultIsACodeFaultWithTraceLine) {
  localClassDeclaration declaration;
  declaration.addMember(L"M", execRecorder, setRecorder, getRecorder);
  int object = 0;
  const int callsBefore = seen.calls;
  localReturnStateType state = localErrorTypeOK;
  CaptureCout capture;
  EXPECT_FALSE(declaration.getAttr(state, &object, L"M", nullptr));
  EXPECT_EQ(state, localErrorTypeCODE);
  state = localErrorTypeOK;
  EXPECT_FALSE(declaration.setAttr(state, &object, L"M", nullptr));
  EXPECT_EQ(state, localErrorTypeCODE);
  state = localErrorTypeOK;
  EXPECT_FALSE(declaration.methodExec(state, &object, L"M", nullptr, nullptr));
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_EQ(seen.calls, callsBefore);
  EXPECT_EQ(capture.text(),
            "localErrorTypeCODE!!!  func: getAttr file: localInterpretatorUTF8 line: 163\n"
            "localErrorTypeCODE!!!  func: setAttr file: localInterpretatorUTF8 line: 218\n"
            "localErrorTypeCODE!!!  func: methodExec file: localInterpretatorUTF8 line: 184\n");
}
