#pragma once
#include <cstdint>
#include <string>

#include "core/localClassDeclaration.h"

// The test class: exercises construction, attributes (GET/SET), SELF and methods.
class localClassForTest {
 public:
  localClassForTest() = default;

  std::string toStdString() const;

  // One declaration for the whole run, built on the first request.
  static localClassDeclaration* getClassDeclaration();
  static localClassDeclaration* createClassDeclaration();

  static bool classImplementationMethodFunction(localReturnStateType& state, void*& object,
                                                const std::wstring& name, localValueList* arguments,
                                                localValueDescription& result);
  static bool classImplementationAttribGetFunction(localReturnStateType& state, void* const& object,
                                                   const std::wstring& name, localValueDescription& result);
  static bool classImplementationAttribSetFunction(localReturnStateType& state, void* const& object,
                                                   const std::wstring& name, localValueDescription& value);

  std::int32_t attribInt = 12121212;
};
