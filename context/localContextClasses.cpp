#include "context/localContextUTF8.h"
#include "text/localString.h"

bool localContextUTF8::classReg(localClassDeclaration* declaration) {
  // A null entry would be dereferenced by every lookup and listing.
  if (declaration == nullptr) return false;
  classes.push_back(declaration);
  return true;
}

unsigned localContextUTF8::getClassCount() const { return static_cast<unsigned>(classes.size()); }

localClassDeclaration* localContextUTF8::getClassDeclarationByIdx(const unsigned& index) const {
  return classes.at(index);
}

localClassDeclaration* localContextUTF8::getClassDeclarationByName(const std::wstring& name) const {
  const std::wstring key = localString::wstringToUpper(name);
  for (localClassDeclaration* declaration : classes) {
    if (declaration->className == key || declaration->classSynonym == key) return declaration;
  }
  return nullptr;
}

bool localContextUTF8::createObj(localReturnStateType& state, const std::wstring& className,
                                 localValueDescription& result) {
  localClassDeclaration* declaration = getClassDeclarationByName(className);
  if (declaration == nullptr) {
    state = localErrorTypeCLASSunknown;
    return false;
  }
  // The constructor is the member with the empty name, called without an object.
  if (!declaration->methodExec(state, nullptr, L"", nullptr, &result)) return false;
  return state == localErrorTypeOK;
}
