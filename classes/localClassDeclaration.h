#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

// EXEC: methods and constructors (also the form of the built-in function routine).
using localExecFunction = bool (*)(localReturnStateType& state, void*& object, std::wstring name,
                                   localValueList* arguments, localValueDescription& result);
// GET: reads an attribute.
using localGetFunction = bool (*)(localReturnStateType& state, void* const& object, std::wstring name,
                                  localValueDescription& result);
// SET: writes an attribute.
using localSetFunction = bool (*)(localReturnStateType& state, void* const& object, std::wstring name,
                                  localValueDescription& value);
// Class-level routine (arguments held by value).
using localClassImplementationFunction = bool (*)(localReturnStateType& state, void*& object,
                                                  localValueDescription*& result, std::wstring name,
                                                  std::vector<localValueDescription>* arguments);

// Describes a script-visible class: names, description, members and the functions
// that implement them. Objects are untyped pointers only the class's functions know.
class localClassDeclaration {
 public:
  struct classMember {
    std::wstring name;
    localExecFunction execFunction = nullptr;
    localSetFunction setFunction = nullptr;
    localGetFunction getFunction = nullptr;
  };

  localClassDeclaration() = default;
  virtual ~localClassDeclaration() = default;
  localClassDeclaration(const localClassDeclaration&) = delete;
  localClassDeclaration& operator=(const localClassDeclaration&) = delete;

  // Appends a member owned by this declaration.
  classMember* addMember(const std::wstring& name, localExecFunction execFunction,
                         localSetFunction setFunction, localGetFunction getFunction);

  // The last member whose name equals name exactly, or null.
  classMember* getMember(const std::wstring& name) const;

  bool getAttr(localReturnStateType& state, const void* object, std::wstring name,
               localValueDescription* result) const;
  bool setAttr(localReturnStateType& state, const void* object, std::wstring name,
               localValueDescription* value) const;
  bool methodExec(localReturnStateType& state, void* object, const std::wstring& name,
                  localValueList* arguments, localValueDescription* result) const;

  std::wstring className = L"новый класс";
  std::wstring classSynonym = L"new class";
  std::wstring description;
  localClassImplementationFunction classImplementation = nullptr;
  std::vector<classMember*> members;

 private:
  std::vector<std::unique_ptr<classMember>> ownedMembers_;
};
