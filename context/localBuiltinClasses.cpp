// Built-in functions that reach the context: loading classes, creating objects and the
// context's own text form.
#include "classes/localClassForTest.h"
#include "classes/localValueTable.h"
#include "context/localBuiltinLibrary.h"
#include "context/localContextUTF8.h"
#include "text/localString.h"

namespace localBuiltin {

bool classLoad(localReturnStateType& state, localContextUTF8* context, const localValueList& arguments,
               localValueDescription& result) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  // Leading blanks are dropped, trailing ones stay and so make the name unknown.
  const std::wstring name = localString::wstringToUpper(localString::trimL(arguments[0]->getStrRef()));
  localClassDeclaration* declaration = nullptr;
  if (name == L"TEST" || name == L"ТЕСТ") {
    declaration = localClassForTest::getClassDeclaration();
  } else if (name == L"VALUETABLE" || name == L"ТАБЛИЦАЗНАЧЕНИЙ") {
    declaration = localValueTable::getClassDeclaration();
  }
  if (declaration == nullptr || !context->classReg(declaration)) {
    state = localErrorTypeCLASSunknown;
    return false;  // the routine sets the boolean false result
  }
  result.setBoo(true);
  return true;
}

bool createObject(localReturnStateType& state, localContextUTF8* context, const localValueList& arguments,
                  localValueDescription& result) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  return context->createObj(state, arguments[0]->getStrRef(), result);
}

bool contextToString(localReturnStateType& state, localContextUTF8* context, const localValueList&,
                     localValueDescription& result) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  result.setVal(L"localClassForTest::classImplementationMethodFunction " +
                localString::stdStringMultibyteToStdWString(context->toStdString()));
  return true;
}

}  // namespace localBuiltin
