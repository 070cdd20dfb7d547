#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

// The member name reaches every function by reference: a call copies no text.
// EXEC: methods and constructors (also the form of the built-in function routine).
using localExecFunction = bool (*)(localReturnStateType& state, void*& object, const std::wstring& name,
                                   localValueList* arguments, localValueDescription& result);
// GET: reads an attribute.
using localGetFunction = bool (*)(localReturnStateType& state, void* const& object, const std::wstring& name,
                                  localValueDescription& result);
// SET: writes an attribute.
using localSetFunction = bool (*)(localReturnStateType& state, void* const& object, const std::wstring& name,
                                  localValueDescription& value);
// Class-level routine (arguments held by value).
using localClassImplementationFunction = bool (*)(localReturnStateType& state, void*& object,
                                                  localValueDescription*& result, const std::wstring& name,
                                                  std::vector<localValueDescription>* arguments);

// A method with its implementation already found: row is what the class bound to the
// member when adding it (its own description of the method), so a call that has found
// the member runs it without looking its name up again.
using localBoundMethod = bool (*)(localReturnStateType& state, void* object, const void* row,
                                  localValueList* arguments, localValueDescription& result);

struct localMemberSite;

// Describes a script-visible class: names, description, members and the functions
// that implement them. Objects are untyped pointers only the class's functions know.
class localClassDeclaration {
 public:
  struct classMember {
    std::wstring name;
    localExecFunction execFunction = nullptr;
    localSetFunction setFunction = nullptr;
    localGetFunction getFunction = nullptr;
    // Optional, for methods: when set, calls run boundFunction with boundRow, which must
    // do exactly what execFunction does for this member's name.
    localBoundMethod boundFunction = nullptr;
    const void* boundRow = nullptr;
  };

  localClassDeclaration();
  virtual ~localClassDeclaration() = default;
  localClassDeclaration(const localClassDeclaration&) = delete;
  localClassDeclaration& operator=(const localClassDeclaration&) = delete;

  // Appends a member owned by this declaration.
  classMember* addMember(const std::wstring& name, localExecFunction execFunction,
                         localSetFunction setFunction, localGetFunction getFunction);

  // The last member whose name equals name exactly, or null (through an index).
  classMember* getMember(const std::wstring& name) const;
  // The same, remembered in site (may be null) for the next call from the same place: a
  // site answers again without a search while this declaration has not changed.
  inline const classMember* getMember(const std::wstring& name, localMemberSite* site) const;

  // Changes, to a number no declaration has had before, whenever a member is added.
  std::uint64_t stamp() const { return stamp_; }

  bool getAttr(localReturnStateType& state, const void* object, const std::wstring& name,
               localValueDescription* result) const;
  bool setAttr(localReturnStateType& state, const void* object, const std::wstring& name,
               localValueDescription* value) const;
  // site (may be null) is the caller's memory of the member this name found; a site
  // serves one name only.
  bool methodExec(localReturnStateType& state, void* object, const std::wstring& name,
                  localValueList* arguments, localValueDescription* result,
                  localMemberSite* site = nullptr) const;
  // Runs a member with a method function (found by getMember under name) on object.
  static bool runMethod(localReturnStateType& state, const classMember& member, void* object,
                        const std::wstring& name, localValueList* arguments, localValueDescription& result) {
    if (member.boundFunction != nullptr) return member.boundFunction(state, object, member.boundRow, arguments, result);
    void* objectCopy = object;
    return member.execFunction(state, objectCopy, name, arguments, result);
  }

  std::wstring className = L"новый класс";
  std::wstring classSynonym = L"new class";
  std::wstring description;
  localClassImplementationFunction classImplementation = nullptr;
  // Read freely; changed only through addMember, which renews the stamp that member
  // sites check.
  std::vector<classMember*> members;

 private:
  std::vector<std::unique_ptr<classMember>> ownedMembers_;
  // Each name's last member: what getMember answers, found by hashing instead of by a
  // search through every member.
  std::unordered_map<std::wstring, classMember*> lastByName_;
  std::uint64_t stamp_;
};

// What one method call in a program remembers about the member its name found last: the
// member (null for none) and the stamp of the declaration it was found in. Stamps are
// never reused, so a site can only answer for that declaration, unchanged.
struct localMemberSite {
  std::uint64_t stamp = 0;  // 0: nothing remembered
  const localClassDeclaration::classMember* member = nullptr;
};

inline const localClassDeclaration::classMember* localClassDeclaration::getMember(const std::wstring& name,
                                                                                  localMemberSite* site) const {
  if (site == nullptr) return getMember(name);
  if (site->stamp != stamp_) *site = localMemberSite{stamp_, getMember(name)};
  return site->member;
}
