#include "classes/localClassDateTime.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include "classes/localClassMethodTable.h"
#include "core/localKeepAlive.h"
#include "text/localString.h"

namespace {

// The calendar time as a signed 32-bit count, saturated instead of overflowing.
std::int32_t currentTime32() {
  const std::time_t now = std::time(nullptr);
  if (now > static_cast<std::time_t>(INT32_MAX)) return INT32_MAX;
  if (now < static_cast<std::time_t>(INT32_MIN)) return INT32_MIN;
  return static_cast<std::int32_t>(now);
}

// The class-level routine's methods get the arguments it was given, held by value.
using method = bool (*)(localReturnStateType& state, void* object, const std::vector<localValueDescription>& arguments,
                        localValueDescription& result);

bool toText(localReturnStateType& state, void* object, const std::vector<localValueDescription>& arguments,
            localValueDescription& result) {
  if (!arguments.empty()) return localMethodFails(state, localErrorTypePARAMETERScount);
  if (object == nullptr) return localMethodFails(state, localErrorTypeVALUEnotObject);
  result.setVal(localString::stdStringMultibyteToStdWString(static_cast<localClassDateTime*>(object)->toStdString()));
  return true;
}

// Answered by the class-level routine only: the declaration registers no members.
const localClassMethod<method> methods[] = {
    {L"TOSTRING", L"СТРОКА", toText},
};

}  // namespace

localClassDateTime::localClassDateTime() : creationTime(currentTime32()) {}

std::string localClassDateTime::toStdString() const {
  const std::time_t moment = static_cast<std::time_t>(creationTime);
  std::tm parts{};
  if (localtime_r(&moment, &parts) == nullptr) return {};
  char text[96];
  std::snprintf(text, sizeof(text), "%04d%02d%02d:%02d:%02d:%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return text;
}

localClassDeclaration* localClassDateTime::getClassDeclaration() {
  auto declaration = std::make_unique<localClassDeclaration>();
  declaration->className = L"DATE";
  declaration->classSynonym = L"ДАТА";
  declaration->description = L"класс ДАТА";
  declaration->classImplementation = &localClassDateTime::classImplementation;
  return localKeepAlive(std::move(declaration));
}

// Not reached through the member dispatch (the declaration has no members); kept as the
// class's own implementation.
bool localClassDateTime::classImplementation(localReturnStateType& state, void*& object,
                                             localValueDescription*& result, const std::wstring& name,
                                             std::vector<localValueDescription>* arguments) {
  if (result == nullptr) {
    state = localErrorTypeCODE;
    return false;
  }
  if (name.empty()) {
    localClassDateTime* created = localKeepAlive(std::make_unique<localClassDateTime>());
    object = created;
    result->setVal(created, getClassDeclaration());
    return true;
  }
  if (arguments == nullptr) {
    state = localErrorTypeATTRIBUTEunknown;
    return false;
  }
  const localClassMethod<method>* row = localFindClassMethod(methods, name);
  if (row == nullptr) {
    state = localErrorTypeMETHODunknown;
    return false;
  }
  return row->run(state, object, *arguments, *result);
}
