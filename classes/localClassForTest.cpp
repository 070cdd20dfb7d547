#include "classes/localClassForTest.h"

#include <memory>

#include "classes/localClassMethodTable.h"
#include "core/localIntegerConversion.h"
#include "core/localKeepAlive.h"
#include "core/localTrace.h"
#include "text/localString.h"

namespace {

const char* const methodOperation = "classImplementationMethodFunction";

// The methods get the argument list as the caller passed it: null when there is none.
using method = bool (*)(localReturnStateType& state, localClassForTest& self, const localValueList* arguments,
                        localValueDescription& result);

bool hasArguments(const localValueList* arguments) { return arguments != nullptr && !arguments->empty(); }

bool toText(localReturnStateType& state, localClassForTest& self, const localValueList* arguments,
            localValueDescription& result) {
  if (hasArguments(arguments)) return localMethodFails(state, localErrorTypePARAMETERScount);
  result.setVal(localString::stdStringMultibyteToStdWString(self.toStdString()));
  return true;
}

bool getInt(localReturnStateType& state, localClassForTest& self, const localValueList* arguments,
            localValueDescription& result) {
  if (hasArguments(arguments)) return localMethodFails(state, localErrorTypePARAMETERScount);
  result.setVal(static_cast<double>(self.attribInt));
  return true;
}

bool getIntPlus(localReturnStateType& state, localClassForTest& self, const localValueList* arguments,
                localValueDescription& result) {
  localTrace(L" метод GETINTPLUS() thisObj->attribInt=" + std::to_wstring(self.attribInt) + L" func: ",
             methodOperation, 3741);
  if (arguments == nullptr) return localMethodFails(state, localErrorTypePARAMETERScount);
  localTrace(L" метод GETINTPLUS() количество параметров=" + std::to_wstring(arguments->size()) + L" func: ",
             methodOperation, 3743);
  if (arguments->size() != 1) return localMethodFails(state, localErrorTypePARAMETERScount);
  const localValueDescription* argument = (*arguments)[0];
  if (argument == nullptr || argument->getType() != localValueDescription::typeNumber)
    return localMethodFails(state, localErrorTypePARAMETERStype);
  result.setVal(argument->getNum() + static_cast<double>(self.attribInt));
  return true;
}

bool getIntPlusOne(localReturnStateType& state, localClassForTest& self, const localValueList* arguments,
                   localValueDescription& result) {
  localTrace(L" метод GETINTPLUSONE() thisObj->attribInt=" + std::to_wstring(self.attribInt) + L" func: ",
             methodOperation, 3731);
  if (hasArguments(arguments)) return localMethodFails(state, localErrorTypePARAMETERScount);
  // Wraps around at the top of the 32-bit range.
  const auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(self.attribInt) + 1u);
  result.setVal(static_cast<double>(next));
  return true;
}

// In declaration order. Only the English names become members: a script's call of a
// Russian name is refused by the declaration before it reaches this table.
const localClassMethod<method> methods[] = {
    {L"TOSTRING", L"СТРОКА", toText},
    {L"GETINT", L"ПОЛУЧИТЬЦЕЛОЕ", getInt},
    {L"GETINTPLUS", L"ПОЛУЧИТЬЦЕЛОЕПЛЮС", getIntPlus},
    {L"GETINTPLUSONE", L"ПОЛУЧИТЬЦЕЛОЕПЛЮС1", getIntPlusOne},
};

}  // namespace

std::string localClassForTest::toStdString() const {
  return localString::wstringToStdStringMultibyte(L"объект тестового класса [ТЕСТ] c числом " +
                                                   localString::doubleToStdWString(attribInt));
}

localClassDeclaration* localClassForTest::getClassDeclaration() {
  // One declaration for the whole run, shared by every object and every registration.
  static const std::unique_ptr<localClassDeclaration> shared(createClassDeclaration());
  return shared.get();
}

localClassDeclaration* localClassForTest::createClassDeclaration() {
  auto declaration = std::make_unique<localClassDeclaration>();
  declaration->className = L"TEST";
  declaration->classSynonym = L"ТЕСТ";
  declaration->description = L"тестовый класс для отладки объектно-ориентированного программирования";
  const localExecFunction exec = &localClassForTest::classImplementationMethodFunction;
  const localGetFunction get = &localClassForTest::classImplementationAttribGetFunction;
  const localSetFunction set = &localClassForTest::classImplementationAttribSetFunction;
  declaration->addMember(L"", exec, nullptr, nullptr);
  declaration->addMember(L"SELF", nullptr, nullptr, get);
  declaration->addMember(L"ATTRIBINT", nullptr, set, get);
  for (const localClassMethod<method>& row : methods) declaration->addMember(std::wstring(row.english), exec, nullptr, nullptr);
  return declaration.release();  // the caller owns it
}

bool localClassForTest::classImplementationMethodFunction(localReturnStateType& state, void*& object,
                                                          const std::wstring& name, localValueList* arguments,
                                                          localValueDescription& result) {
  state = localErrorTypeOK;
  if (object == nullptr) {
    if (!name.empty()) return localMethodFails(state, localErrorTypeSTATICcallUnsupported);
    localClassForTest* created = localKeepAlive(std::make_unique<localClassForTest>());
    result.setVal(created, getClassDeclaration());
    return true;
  }
  const localClassMethod<method>* row = localFindClassMethod(methods, name);
  if (row == nullptr) return localMethodFails(state, localErrorTypeMETHODunknown);
  return row->run(state, *static_cast<localClassForTest*>(object), arguments, result);
}

bool localClassForTest::classImplementationAttribGetFunction(localReturnStateType& state, void* const& object,
                                                             const std::wstring& name, localValueDescription& result) {
  state = localErrorTypeOK;
  auto* self = static_cast<localClassForTest*>(object);
  if (name == L"SELF") {
    result.setVal(object, getClassDeclaration());
  } else if (name == L"ATTRIBINT" && self != nullptr) {
    result.setVal(static_cast<double>(self->attribInt));
  } else {
    state = localErrorTypeATTRIBUTEunknown;
    result.setVal(std::wstring(L"localErrorTypeATTRIBUTEunknown"));
  }
  return state == localErrorTypeOK;
}

bool localClassForTest::classImplementationAttribSetFunction(localReturnStateType& state, void* const& object,
                                                             const std::wstring& name, localValueDescription& value) {
  state = localErrorTypeOK;
  auto* self = static_cast<localClassForTest*>(object);
  if (name == L"ATTRIBINT" && self != nullptr) {
    // Whatever the value's kind, its number field counts.
    self->attribInt = localTruncateToInt32(value.getNum());
  } else {
    state = localErrorTypeATTRIBUTEunknown;
  }
  return state == localErrorTypeOK;
}
