#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/localClassDeclaration.h"

// The date-time class: an object holds the moment it was made.
class localClassDateTime {
 public:
  localClassDateTime();
  virtual ~localClassDateTime() = default;

  std::string toStdString() const;

  // A new declaration on every call (kept alive for the rest of the run).
  static localClassDeclaration* getClassDeclaration();
  static bool classImplementation(localReturnStateType& state, void*& object,
                                  localValueDescription*& result, const std::wstring& name,
                                  std::vector<localValueDescription>* arguments);

  std::int32_t creationTime;
};
