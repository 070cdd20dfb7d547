#include <gtest/gtest.h>

#include <iostream>
#include <limits>
#include <sstream>

#include "core/localClassDeclaration.h"
#include "core/localValueDescription.h"
#include "tests/test_cout_capture.h"

namespace {

// A small class for the tests: the object is an int counter; TOSTRING gives its text,
// attribute N reads and writes it, and the last member name seen is recorded.
std::wstring lastName;

bool counterToString(localReturnStateType& state, void*& object, const std::wstring& name, localValueList*,
                     localValueDescription& result) {
  lastName = name;
  state = localErrorTypeOK;
  result.setVal(L"counter " + std::to_wstring(*static_cast<int*>(object)));
  return true;
}

bool counterGet(localReturnStateType& state, void* const& object, const std::wstring& name,
                localValueDescription& result) {
  lastName = name;
  state = localErrorTypeOK;
  result.setVal(static_cast<double>(*static_cast<int*>(object)));
  return true;
}

bool counterSet(localReturnStateType& state, void* const& object, const std::wstring& name,
                localValueDescription& value) {
  lastName = name;
  state = localErrorTypeOK;
  *static_cast<int*>(object) = static_cast<int>(value.getNum());
  return true;
}

bool failingMethod(localReturnStateType& state, void*&, const std::wstring&, localValueList*, localValueDescription& result) {
  result.setVal(L"partial");
  state = localErrorTypePARAMETERScount;
  return false;
}

bool numberMethod(localReturnStateType& state, void*&, const std::wstring&, localValueList*, localValueDescription& result) {
  state = localErrorTypeOK;
  result.setVal(7.0);
  return true;
}

std::string captureCout(const localValueDescription& value) {
  testSupport::CoutCapture capture;
  value.COUT();
  return capture.text();
}

}  // namespace

TEST(CoreValue, DefaultsAndSimpleKinds) {
  localValueDescription value;
  EXPECT_EQ(value.getType(), localValueDescription::typeNumber);
  EXPECT_EQ(value.toString(), L"0");
  EXPECT_EQ(value.getTypeName(), L"ЧИСЛО");
  EXPECT_EQ(value.getClassName(), L"<unknown class>");
  EXPECT_FALSE(value.getBoo());
  EXPECT_EQ(value.getObj(), nullptr);
  EXPECT_EQ(value.getClassDeclaration(), nullptr);

  value.setVal(L"abc");
  EXPECT_EQ(value.getType(), localValueDescription::typeString);
  EXPECT_EQ(value.getTypeName(), L"СТРОКА");
  EXPECT_EQ(value.toString(), L"abc");

  value.setBoo(true);
  EXPECT_EQ(value.getType(), localValueDescription::typeBoolean);
  EXPECT_EQ(value.toString(), L"ИСТИНА");
  EXPECT_EQ(value.getNum(), 1.0);
  EXPECT_EQ(value.getTypeName(), L"неизвестный тип");
  EXPECT_EQ(value.getStr(), L"abc");  // setters leave the other fields alone
  value.setBoo(false);
  EXPECT_EQ(value.toString(), L"ЛОЖЬ");
  EXPECT_FALSE(value.getBoo());
}

TEST(CoreValue, TruthOfNumbers) {
  localValueDescription value;
  value.setVal(-1.0);
  EXPECT_EQ(value.toString(), L"-1");
  EXPECT_FALSE(value.getBoo());
  value.setVal(0.5);
  EXPECT_TRUE(value.getBoo());

  value.setVal(std::numeric_limits<double>::quiet_NaN());
  EXPECT_FALSE(value.getBoo());
  EXPECT_EQ(value.toString(), L"nan");
}

TEST(CoreValue, FactoriesCopiesAndSharedObjects) {
  auto text = localValueDescription::New(L"t");
  EXPECT_EQ(text->getType(), localValueDescription::typeString);
  auto number = localValueDescription::New(2.5);
  EXPECT_EQ(number->toString(), L"2.5");
  EXPECT_EQ(number->getStr(), L"");

  localClassDeclaration declaration;
  declaration.className = L"COUNTER";
  declaration.classSynonym = L"СЧЕТЧИК";
  declaration.addMember(L"N", nullptr, counterSet, counterGet);
  int counter = 3;
  auto object = localValueDescription::New(&counter, &declaration);
  EXPECT_EQ(object->getTypeName(), L"СЧЕТЧИК");
  EXPECT_EQ(object->getClassName(), L"COUNTER");

  localValueDescription copy(*object);
  localValueDescription newValue;
  newValue.setVal(9.0);
  localReturnStateType state = localErrorTypeCODE;
  ASSERT_TRUE(copy.setAttr(state, L"n", newValue));
  EXPECT_EQ(lastName, L"N");
  localValueDescription read;
  ASSERT_TRUE(object->getAttr(state, L"n", read));
  EXPECT_EQ(read.getNum(), 9.0);
  EXPECT_EQ(counter, 9);

  // A number set over an object keeps the old object fields; the class name still shows.
  copy.setVal(1.0);
  EXPECT_EQ(copy.getObj(), &counter);
  EXPECT_EQ(copy.getClassName(), L"COUNTER");
  EXPECT_EQ(copy.getTypeName(), L"ЧИСЛО");

  copy.setVal(static_cast<const localValueDescription*>(nullptr));  // ignored
  EXPECT_EQ(copy.getNum(), 1.0);
  copy.setVal(&copy);
  EXPECT_EQ(copy.getNum(), 1.0);

  localValueDescription noClass;
  noClass.setVal(&counter, nullptr);
  EXPECT_EQ(noClass.getTypeName(), L"ОБЪЕКТ");
}

// Copies and moves take all five fields, stale ones included: an empty text clears the
// target's text, a non-empty one replaces it, whichever way the value arrives.
TEST(CoreValue, CopiesAndMovesTakeEveryField) {
  int object = 0;
  localClassDeclaration declaration;
  localValueDescription stale;
  stale.setVal(&object, &declaration);
  stale.setVal(L"left over");
  stale.setVal(7.5);  // a number that still carries a text, an object and a declaration

  const auto expectStale = [&](const localValueDescription& value) {
    EXPECT_EQ(value.getType(), localValueDescription::typeNumber);
    EXPECT_EQ(value.getNum(), 7.5);
    EXPECT_EQ(value.getStrRef(), L"left over");
    EXPECT_EQ(value.getObj(), &object);
    EXPECT_EQ(value.getClassDeclaration(), &declaration);
  };
  localValueDescription copied(stale);
  expectStale(copied);
  localValueDescription assigned;
  assigned = stale;
  expectStale(assigned);
  localValueDescription taken;
  taken.setVal(&stale);
  expectStale(taken);
  localValueDescription moved;
  moved = std::move(copied);
  expectStale(moved);

  // An empty text clears what the target held; the other fields follow the source too.
  localValueDescription bare;
  bare.setBoo(true);
  assigned = bare;
  EXPECT_EQ(assigned.getType(), localValueDescription::typeBoolean);
  EXPECT_TRUE(assigned.getStrRef().empty());
  EXPECT_EQ(assigned.getObj(), nullptr);
  EXPECT_EQ(assigned.getClassDeclaration(), nullptr);
  taken.setVal(&bare);
  EXPECT_TRUE(taken.getStrRef().empty());
  EXPECT_EQ(taken.getNum(), 1.0);
  moved = localValueDescription(bare);
  EXPECT_TRUE(moved.getStrRef().empty());
  EXPECT_EQ(moved.getObj(), nullptr);
  const localValueDescription& same = assigned;
  assigned = same;  // itself: nothing changes
  EXPECT_EQ(assigned.getType(), localValueDescription::typeBoolean);
}

TEST(CoreValue, TextFormOfObjects) {
  localClassDeclaration withText;
  withText.addMember(L"TOSTRING", counterToString, nullptr, nullptr);
  int counter = 5;
  localValueDescription object;
  object.setVal(&counter, &withText);
  EXPECT_EQ(object.toString(), L"counter 5");
  EXPECT_EQ(lastName, L"TOSTRING");
  EXPECT_EQ(captureCout(object), "counter 5\n");

  localClassDeclaration withoutText;
  object.setVal(&counter, &withoutText);
  EXPECT_EQ(object.toString(), L"");

  localClassDeclaration failing;
  failing.addMember(L"TOSTRING", failingMethod, nullptr, nullptr);
  object.setVal(&counter, &failing);
  EXPECT_EQ(object.toString(), L"");

  localClassDeclaration numeric;
  numeric.addMember(L"TOSTRING", numberMethod, nullptr, nullptr);
  object.setVal(&counter, &numeric);
  EXPECT_EQ(object.toString(), L"");

  object.setVal(&counter, nullptr);
  EXPECT_EQ(object.toString(), L"");
}

TEST(CoreValue, CoutWritesTheMultibyteForm) {
  localValueDescription value;
  value.setVal(L"Ёж");
  EXPECT_EQ(captureCout(value), "\xD0\x81\xD0\xB6\n");
}

TEST(CoreValue, MemberAccessOnValuesThatAreNoObjects) {
  localValueDescription text;
  text.setVal(L"s");
  localValueDescription result;
  result.setVal(L"before");
  localReturnStateType state = localErrorTypeOK;
  EXPECT_FALSE(text.getAttr(state, L"X", result));
  EXPECT_EQ(state, localErrorTypeVALUEnotObject);
  EXPECT_EQ(result.getStr(), L"before");
  state = localErrorTypeOK;
  EXPECT_FALSE(text.setAttr(state, L"X", result));
  EXPECT_EQ(state, localErrorTypeVALUEnotObject);
  state = localErrorTypeOK;
  EXPECT_FALSE(text.methodExec(state, L"X", nullptr, result));
  EXPECT_EQ(state, localErrorTypeVALUEnotObject);
  EXPECT_EQ(result.getStr(), L"before");

  // An object value without a class declaration cannot reach any member.
  int counter = 0;
  localValueDescription orphan;
  orphan.setVal(&counter, nullptr);
  for (int step = 0; step < 3; ++step) {
    state = localErrorTypeOK;
    const bool ok = step == 0   ? orphan.getAttr(state, L"X", result)
                    : step == 1 ? orphan.setAttr(state, L"X", result)
                                : orphan.methodExec(state, L"X", nullptr, result);
    EXPECT_FALSE(ok);
    EXPECT_EQ(state, localErrorTypeCLASSunknown);
  }
}

TEST(CoreValue, OwnedValueList) {
  localOwnedValueList list;
  localValueDescription* first = list.add(localValueDescription::New(1.0));
  list.add(localValueDescription::New(L"two"));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], first);
  EXPECT_EQ((*list.get())[1]->getStr(), L"two");
  list.clear();
  EXPECT_EQ(list.size(), 0u);
  EXPECT_TRUE(list.get()->empty());
}

// A part of a text (what RIGHT and trimming give) shares the whole's characters: every
// way of reading, copying, changing or dropping either side must see the right text,
// and nothing may read characters that were let go (the sanitizers watch).
TEST(CoreValue, PartsOfTextsReadAndChangeLikeTextsOfTheirOwn) {
  std::wstring letters;
  for (int i = 0; i < 300; ++i) letters += static_cast<wchar_t>(L'a' + i % 26);
  localValueDescription whole;
  whole.setVal(letters);

  localValueDescription tail;
  tail.setVal(7.0);
  tail.setValPartOf(whole, 100, 200);
  EXPECT_EQ(tail.getType(), localValueDescription::typeString);
  EXPECT_EQ(tail.getNum(), 7.0);  // the other fields stay
  EXPECT_EQ(tail.getStrView(), std::wstring_view(letters).substr(100));

  localValueDescription inner;  // a part of the part: offsets add up
  inner.setValPartOf(tail, 50, 100);
  EXPECT_EQ(inner.getStrView(), std::wstring_view(letters).substr(150, 100));
  localValueDescription small;  // short parts are plain copies
  small.setValPartOf(tail, 3, 4);
  EXPECT_EQ(small.getStrRef(), letters.substr(103, 4));

  // The whole changes: its sharers keep the characters they had.
  whole.appendStr(L"!");
  EXPECT_EQ(whole.getStrRef(), letters + L"!");
  EXPECT_EQ(tail.getStrView(), std::wstring_view(letters).substr(100));
  whole.setVal(L"gone");
  EXPECT_EQ(inner.getStrRef(), letters.substr(150, 100));

  // A part changed, also by itself, also when it is the only holder of the whole.
  localValueDescription copy(tail);
  copy.appendStr(copy.getStrView());
  EXPECT_EQ(copy.getStrRef(), letters.substr(100) + letters.substr(100));
  EXPECT_EQ(tail.getStrRef(), letters.substr(100));
  localValueDescription lone;
  {
    localValueDescription source;
    source.setVal(letters);
    lone.setValPartOf(source, 0, 250);
  }
  lone.appendStr(lone.getStrView());
  EXPECT_EQ(lone.getStrRef(), letters.substr(0, 250) + letters.substr(0, 250));

  // The whole text asked for as a part is the text itself.
  localValueDescription same;
  same.setValPartOf(inner, 0, inner.getStrView().size());
  EXPECT_EQ(same.getStrRef(), letters.substr(150, 100));
}
