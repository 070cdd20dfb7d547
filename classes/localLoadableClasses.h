#pragma once
#include <span>
#include <string>

#include "core/localClassDeclaration.h"

// The classes a script loads by name (CLASSLOAD, LOAD CLASS). The date-time class is not
// among them: every context registers it at start-up.
struct localLoadableClass {
  const wchar_t* english;
  const wchar_t* russian;
  localClassDeclaration* (*declaration)();
};

// The declaration of the loadable class with this upper-case name (either language), or
// null when no loadable class has that name.
localClassDeclaration* localLoadableClassDeclaration(const std::wstring& upperName);

// Every loadable class, for listings and for the reference's completeness test.
std::span<const localLoadableClass> localLoadableClassTable();
