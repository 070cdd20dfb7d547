#include "classes/localClassDeclaration.h"

#include "core/localTrace.h"

// Dispatch of attribute reads, attribute writes and method calls to the functions that a
// class registered for each member. The declaration never interprets the object itself.

namespace {

// Lead of the diagnostic line printed when a caller hands over no result value.
const wchar_t* const codeFaultLead = L"localErrorTypeCODE!!!  func: ";

}  // namespace

localClassDeclaration::classMember* localClassDeclaration::addMember(const std::wstring& name,
                                                                     localExecFunction execFunction,
                                                                     localSetFunction setFunction,
                                                                     localGetFunction getFunction) {
  auto member = std::make_unique<classMember>();
  member->name = name;
  member->execFunction = execFunction;
  member->setFunction = setFunction;
  member->getFunction = getFunction;
  classMember* raw = member.get();
  ownedMembers_.push_back(std::move(member));
  members.push_back(raw);
  return raw;
}

localClassDeclaration::classMember* localClassDeclaration::getMember(std::wstring name) const {
  // The last match wins, so a later member overrides an earlier one of the same name.
  classMember* found = nullptr;
  for (classMember* member : members) {
    if (member != nullptr && member->name == name) found = member;
  }
  return found;
}

bool localClassDeclaration::getAttr(localReturnStateType& state, const void* object, std::wstring name,
                                    localValueDescription* result) const {
  if (result == nullptr) {
    localTrace(codeFaultLead, "getAttr", 163);
    state = localErrorTypeCODE;
    return false;
  }
  const classMember* member = getMember(name);
  if (member == nullptr) {
    state = localErrorTypeATTRIBUTEunknown;
    return false;
  }
  if (member->getFunction == nullptr) {
    state = localErrorTypeATTRIBUTEnotReadable;
    return false;
  }
  void* const objectCopy = const_cast<void*>(object);
  return member->getFunction(state, objectCopy, name, *result);
}

bool localClassDeclaration::setAttr(localReturnStateType& state, const void* object, std::wstring name,
                                    localValueDescription* value) const {
  if (value == nullptr) {
    localTrace(codeFaultLead, "setAttr", 218);
    state = localErrorTypeCODE;
    return false;
  }
  const classMember* member = getMember(name);
  if (member == nullptr) {
    state = localErrorTypeATTRIBUTEunknown;
    return false;
  }
  if (member->setFunction == nullptr) {
    state = localErrorTypeATTRIBUTEnotWritable;
    return false;
  }
  void* const objectCopy = const_cast<void*>(object);
  return member->setFunction(state, objectCopy, name, *value);
}

bool localClassDeclaration::methodExec(localReturnStateType& state, void* object, const std::wstring& name,
                                       localValueList* arguments, localValueDescription* result) const {
  if (result == nullptr) {
    localTrace(codeFaultLead, "methodExec", 184);
    state = localErrorTypeCODE;
    return false;
  }
  const classMember* member = getMember(name);
  if (member != nullptr && member->execFunction != nullptr) {
    void* objectCopy = object;
    return member->execFunction(state, objectCopy, name, arguments, *result);
  }
  if (object != nullptr) {
    state = localErrorTypeMETHODunknown;
  } else if (name.empty()) {
    state = localErrorTypeCONSTRUCTORmissing;
  } else {
    state = localErrorTypeSTATICmethodMissing;
  }
  return false;
}
