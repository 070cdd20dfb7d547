#include "core/localClassDeclaration.h"

#include "core/localTrace.h"

// Dispatch of attribute reads, attribute writes and method calls to the functions that a
// class registered for each member. The declaration never interprets the object itself.

namespace {

// Lead of the diagnostic line printed when a caller hands over no result value.
const wchar_t* const codeFaultLead = L"localErrorTypeCODE!!!  func: ";

// The last stamp handed out; constant-initialised, so declarations made during static
// initialisation count too. 64 bits do not run out.
std::uint64_t lastStamp = 0;

std::uint64_t newStamp() { return ++lastStamp; }

}  // namespace

localClassDeclaration::localClassDeclaration() : stamp_(newStamp()) {}

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
  lastByName_[raw->name] = raw;  // a later member overrides an earlier one of the same name
  stamp_ = newStamp();  // what sites remember may now be overridden
  return raw;
}

localClassDeclaration::classMember* localClassDeclaration::getMember(const std::wstring& name) const {
  const auto found = lastByName_.find(name);
  return found != lastByName_.end() ? found->second : nullptr;
}

namespace {

// A caller that hands over no value to fill or to write is at fault: say so and fail.
bool reportMissingValue(localReturnStateType& state, const char* operation, unsigned line) {
  localTrace(codeFaultLead, operation, line);
  state = localErrorTypeCODE;
  return false;
}

// The GET or SET function behind an attribute, or null with the reason in the state:
// no member of that name, or a member without that function.
template <class Accessor>
Accessor attributeAccessor(const localClassDeclaration& declaration, localReturnStateType& state,
                           const std::wstring& name, Accessor localClassDeclaration::classMember::*field,
                           localReturnStateType whenMissing) {
  const localClassDeclaration::classMember* member = declaration.getMember(name);
  if (member == nullptr) {
    state = localErrorTypeATTRIBUTEunknown;
    return nullptr;
  }
  if (member->*field == nullptr) state = whenMissing;
  return member->*field;
}

}  // namespace

bool localClassDeclaration::getAttr(localReturnStateType& state, const void* object, const std::wstring& name,
                                    localValueDescription* result) const {
  if (result == nullptr) return reportMissingValue(state, "getAttr", 163);
  const localGetFunction get = attributeAccessor(*this, state, name, &classMember::getFunction,
                                                 localErrorTypeATTRIBUTEnotReadable);
  if (get == nullptr) return false;
  void* const objectCopy = const_cast<void*>(object);
  return get(state, objectCopy, name, *result);
}

bool localClassDeclaration::setAttr(localReturnStateType& state, const void* object, const std::wstring& name,
                                    localValueDescription* value) const {
  if (value == nullptr) return reportMissingValue(state, "setAttr", 218);
  const localSetFunction set = attributeAccessor(*this, state, name, &classMember::setFunction,
                                                 localErrorTypeATTRIBUTEnotWritable);
  if (set == nullptr) return false;
  void* const objectCopy = const_cast<void*>(object);
  return set(state, objectCopy, name, *value);
}

bool localClassDeclaration::methodExec(localReturnStateType& state, void* object, const std::wstring& name,
                                       localValueList* arguments, localValueDescription* result,
                                       localMemberSite* site) const {
  if (result == nullptr) return reportMissingValue(state, "methodExec", 184);
  const classMember* member = getMember(name, site);
  if (member != nullptr && member->execFunction != nullptr)
    return runMethod(state, *member, object, name, arguments, *result);
  if (object != nullptr) {
    state = localErrorTypeMETHODunknown;
  } else if (name.empty()) {
    state = localErrorTypeCONSTRUCTORmissing;
  } else {
    state = localErrorTypeSTATICmethodMissing;
  }
  return false;
}
