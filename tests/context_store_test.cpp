// The context store: variables, classes, function dispatch and start-up contents.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "context/localContextUTF8.h"
#include "context_test_support.h"
#include "core/localClassDeclaration.h"
#include "program/localOperatorCompiled.h"

namespace {

using contextTest::CoutCapture;
using contextTest::num;
using contextTest::str;

TEST(ContextVariables, NamesAreStoredUpperCaseAndFoundInAnyCase) {
  localContextUTF8 context;
  context.cleaMemo();
  context.varSetValueNum(L"summa", 5);
  ASSERT_NE(context.varGetPointer(L"SUMMA"), nullptr);
  EXPECT_EQ(context.varGetPointer(L"Summa"), context.varGetPointer(L"SUMMA"));
  EXPECT_EQ(context.varGetPointer(L"summa")->name, L"SUMMA");

  context.varSetValueWStr(L"цена_ё1", L"x");
  ASSERT_EQ(context.varCount(), 2u);
  EXPECT_EQ(context.varByIdx(1)->name, L"ЦЕНА_Ё1");
  EXPECT_NE(context.varGetPointer(L"ЦЕНА_ё1"), nullptr);
  EXPECT_EQ(context.varGetPointer(L"missing"), nullptr);
}

TEST(ContextVariables, AssignmentReplacesKindAndKeepsOneRecord) {
  localContextUTF8 context;
  context.cleaMemo();
  context.varSetValueWStr(L"v", L"text");
  context.varSetValueNum(L"V", 7);
  ASSERT_EQ(context.varCount(), 1u);
  EXPECT_EQ(context.varGetPointer(L"v")->value.getType(), localValueDescription::typeNumber);
  EXPECT_EQ(context.varGetPointer(L"v")->value.getNum(), 7);

  // The store keeps a copy: changing the caller's value afterwards changes nothing.
  localValueDescription mine = str(L"abc");
  context.varSetValue(L"w", &mine);
  mine.setVal(L"changed");
  EXPECT_EQ(context.varGetPointer(L"w")->value.getStr(), L"abc");
}

TEST(ContextVariables, SettingFromAnotherVariableSurvivesGrowth) {
  localContextUTF8 context;
  // The source lives inside the store; creating the new variable may move it.
  for (int i = 0; i < 100; ++i) {
    context.varSetValue(L"copy" + std::to_wstring(i), &context.varGetPointer(L"KavorName")->value);
  }
  EXPECT_EQ(context.varGetPointer(L"COPY99")->value.getStr(), L"Кавор");
}

TEST(ContextVariables, RemovalKeepsOrderAndToleratesBadIndexes) {
  localContextUTF8 context;
  context.cleaMemo();
  context.cleaMemo();  // nothing to remove
  EXPECT_EQ(context.varCount(), 0u);
  context.varSetValueNum(L"a", 1);
  context.varSetValueNum(L"b", 2);
  context.varSetValueNum(L"c", 3);
  context.varDeleteByIdx(0);
  ASSERT_EQ(context.varCount(), 2u);
  EXPECT_EQ(context.varByIdx(0)->name, L"B");
  EXPECT_EQ(context.varByIdx(1)->name, L"C");
  context.varDeleteByIdx(5);
  EXPECT_EQ(context.varCount(), 2u);
  EXPECT_EQ(context.varByIdx(2), nullptr);
}

TEST(ContextClasses, LookupByEitherNameAndDuplicates) {
  localContextUTF8 context;
  ASSERT_EQ(context.getClassCount(), 1u);  // the date-time class
  localClassDeclaration* date = context.getClassDeclarationByIdx(0);
  EXPECT_EQ(context.getClassDeclarationByName(L"date"), date);
  EXPECT_EQ(context.getClassDeclarationByName(L"дата"), date);
  EXPECT_EQ(context.getClassDeclarationByName(L"DATUM"), nullptr);

  localClassDeclaration other;
  other.className = L"DATE";
  other.classSynonym = L"ДРУГОЙ";
  EXPECT_TRUE(context.classReg(&other));
  EXPECT_TRUE(context.classReg(&other));
  EXPECT_EQ(context.getClassCount(), 3u);
  EXPECT_EQ(context.getClassDeclarationByName(L"DATE"), date);  // the first registration wins
  EXPECT_EQ(context.getClassDeclarationByName(L"другой"), &other);

  EXPECT_FALSE(context.classReg(nullptr));
  EXPECT_EQ(context.getClassCount(), 3u);
}

TEST(ContextClasses, CreateObjReportsUnknownClassAndMissingConstructor) {
  localContextUTF8 context;
  localValueDescription result = num(42);
  localReturnStateType state = localErrorTypeOK;
  EXPECT_FALSE(context.createObj(state, L"NOSUCH", result));
  EXPECT_EQ(state, localErrorTypeCLASSunknown);
  for (const wchar_t* name : {L"DATE", L"date", L"ДАТА"}) {
    state = localErrorTypeOK;
    EXPECT_FALSE(context.createObj(state, name, result));
    EXPECT_EQ(state, localErrorTypeCONSTRUCTORmissing);
  }
  EXPECT_EQ(result.getNum(), 42);
}

TEST(ContextFunctions, UnknownFunctionAndNullResult) {
  localContextUTF8 context;
  localValueDescription result = num(9);
  localReturnStateType state = localErrorTypeOK;
  EXPECT_FALSE(context.funcExec(state, L"NOSUCH", nullptr, &result));
  EXPECT_EQ(state, localErrorTypeFUNCTIONunknown);
  EXPECT_EQ(result.getNum(), 9);

  CoutCapture capture;
  state = localErrorTypeOK;
  EXPECT_FALSE(context.funcExec(state, L"RAND", nullptr, nullptr));
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_EQ(capture.text(),
            "localErrorTypeCODE!!!  func: funcExec file: localInterpretatorUTF8 line: 3018\n");
}

TEST(ContextFunctions, BuiltinIsReachedInAnyCaseButRoutineWantsUpperCase) {
  localContextUTF8 context;
  localOwnedValueList list = contextTest::args({str(L"abc")});
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;
  EXPECT_TRUE(context.funcExec(state, L"STRLEN", list.get(), &result));
  EXPECT_EQ(result.getNum(), 3);
  // The record is found, but the routine receives the name as written.
  EXPECT_FALSE(context.funcExec(state, L"strlen", list.get(), &result));
  EXPECT_EQ(state, localErrorTypeMETHODunknown);
}

// Executors of the tests' own, standing in for compiled bodies.
int bodyRuns = 0;
bool countingExecutor(localReturnStateType& state, localContextUTF8*, const localOperatorCompiled* node,
                      localValueList*, localValueDescription& result) {
  ++bodyRuns;
  result.setVal(node->text);
  state = localErrorTypeOK;
  return true;
}

std::unique_ptr<localOperatorCompiled> body(const std::wstring& text,
                                            localOperatorCompiled::executorType executor = &countingExecutor) {
  auto node = std::make_unique<localOperatorCompiled>(executor);
  node->kind = localCompiledOperatorTypeBLOCK;
  node->text = text;
  return node;
}

TEST(ContextFunctions, CompiledBodyReplacesBuiltinAndEarlierBody) {
  localContextUTF8 context;
  const unsigned before = context.funcCount();
  ASSERT_TRUE(context.funcAddAsOperatorCompiled(L"message", body(L"first")));
  EXPECT_EQ(context.funcCount(), before);
  localContextUTF8::functionDescription record = *context.funcGetPointer(L"MESSAGE");
  EXPECT_EQ(record.methodFunction, nullptr);
  ASSERT_NE(record.operatorCompiled, nullptr);

  ASSERT_TRUE(context.funcAddAsOperatorCompiled(L"myFunc", body(L"mine")));
  EXPECT_EQ(context.funcCount(), before + 1);
  EXPECT_EQ(context.funcByIdx(before).name, L"MYFUNC");
  ASSERT_TRUE(context.funcAddAsOperatorCompiled(L"MYFUNC", body(L"second")));
  EXPECT_EQ(context.funcCount(), before + 1);

  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;
  bodyRuns = 0;
  EXPECT_TRUE(context.funcExec(state, L"MESSAGE", nullptr, &result));
  EXPECT_EQ(result.getStr(), L"first");
  EXPECT_TRUE(context.funcExec(state, L"MYFUNC", nullptr, &result));
  EXPECT_EQ(result.getStr(), L"second");
  EXPECT_EQ(bodyRuns, 2);

  EXPECT_FALSE(context.funcAddAsOperatorCompiled(L"NULLBODY", nullptr));
  EXPECT_EQ(context.funcGetPointer(L"NULLBODY"), nullptr);
}

// A body that registers new functions (its own name among them) while it runs: it must
// stay alive and keep reading its own node.
bool reregisteringExecutor(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled* node,
                           localValueList*, localValueDescription& result) {
  for (int i = 0; i < 50; ++i) context->funcAddAsOperatorCompiled(L"F" + std::to_wstring(i), body(L"other"));
  context->funcAddAsOperatorCompiled(L"SELFREPLACING", body(L"replacement"));
  result.setVal(node->text);
  state = localErrorTypeOK;
  return true;
}

TEST(ContextFunctions, RunningBodySurvivesItsReplacement) {
  localContextUTF8 context;
  context.funcAddAsOperatorCompiled(L"SELFREPLACING", body(L"original", &reregisteringExecutor));
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;
  EXPECT_TRUE(context.funcExec(state, L"SELFREPLACING", nullptr, &result));
  EXPECT_EQ(result.getStr(), L"original");
  EXPECT_TRUE(context.funcExec(state, L"SELFREPLACING", nullptr, &result));
  EXPECT_EQ(result.getStr(), L"replacement");
}

// Recurses through the context until the depth in the node's text is reached.
int deepest = 0;
bool recursiveExecutor(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled* node,
                       localValueList* arguments, localValueDescription& result) {
  ++deepest;
  if (deepest >= std::stoi(node->text)) {
    state = localErrorTypeOK;
    return true;
  }
  return context->funcExec(state, L"RECURSE", arguments, &result);
}

TEST(ContextFunctions, NestedCallsAreBounded) {
  localContextUTF8 context;
  localValueDescription result;
  localReturnStateType state = localErrorTypeOK;

  context.funcAddAsOperatorCompiled(L"RECURSE", body(L"1000", &recursiveExecutor));
  deepest = 0;
  EXPECT_TRUE(context.funcExec(state, L"RECURSE", nullptr, &result));
  EXPECT_EQ(deepest, 1000);

  context.funcAddAsOperatorCompiled(L"RECURSE", body(L"1000000", &recursiveExecutor));
  deepest = 0;
  CoutCapture capture;
  EXPECT_FALSE(context.funcExec(state, L"RECURSE", nullptr, &result));
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_LT(deepest, 1000000);
  EXPECT_NE(capture.wideText().find(L"localErrorTypeCODE!!! слишком глубокая вложенность вызовов func: funcExec"),
            std::wstring::npos);

  // The bound is released again: a shallow call works afterwards.
  context.funcAddAsOperatorCompiled(L"RECURSE", body(L"3", &recursiveExecutor));
  deepest = 0;
  state = localErrorTypeOK;
  EXPECT_TRUE(context.funcExec(state, L"RECURSE", nullptr, &result));
}

TEST(ContextStartUp, BuiltinFunctionsPredefinedVariablesAndDateClass) {
  localContextUTF8 context;
  // Seventeen functions, each English name followed by its Russian one.
  ASSERT_EQ(context.funcCount(), 34u);
  EXPECT_EQ(context.funcByIdx(0).name, L"CLASSLOAD");
  EXPECT_EQ(context.funcByIdx(1).name, L"КЛАССЗАГРУЗИТЬ");
  EXPECT_EQ(context.funcByIdx(20).name, L"STRING");
  EXPECT_EQ(context.funcByIdx(33).name, L"ТИПЗНАЧЕНИЯСТР");
  for (unsigned i = 0; i < context.funcCount(); ++i) {
    EXPECT_EQ(context.funcByIdx(i).methodFunction, &localContextUTF8::classImplementationMethodFunction);
    EXPECT_EQ(context.funcByIdx(i).operatorCompiled, nullptr);
  }
  EXPECT_EQ(localContextUTF8::getClassDeclaration()->description, L"это контекст");

  ASSERT_EQ(context.varCount(), 35u);
  EXPECT_EQ(context.varByIdx(0)->name, L"PISTRING");
  EXPECT_EQ(context.varByIdx(0)->value.getStr(), L"3.14");
  EXPECT_EQ(context.varByIdx(1)->value.getNum(), 3.14);
  EXPECT_EQ(context.varGetPointer(L"KavorName")->value.getStr(), L"Кавор");
  EXPECT_EQ(context.varGetPointer(L"упак")->value.getStr(), L"12\\144");
  EXPECT_EQ(context.varGetPointer(L"ценаЗдата")->value.getNum(), 191109);
  EXPECT_EQ(context.varByIdx(34)->name, L"ОПИСАНИЕЦЕННИКА");

  context.cleaMemo();
  EXPECT_EQ(context.varGetPointer(L"Pi"), nullptr);
  EXPECT_EQ(context.getClassCount(), 1u);
  EXPECT_EQ(context.funcCount(), 34u);
}

}  // namespace
