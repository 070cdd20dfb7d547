#pragma once
// Helpers for the tests of the context, the built-in library and the built-in classes:
// capture of standard output and direct calls with owned argument lists.
#include <initializer_list>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localValueDescription.h"
#include "text/localString.h"
#include "tests/test_cout_capture.h"

namespace contextTest {

using testSupport::CoutCapture;

inline localValueDescription num(double number) {
  localValueDescription value;
  value.setVal(number);
  return value;
}
inline localValueDescription str(const std::wstring& text) {
  localValueDescription value;
  value.setVal(text);
  return value;
}
inline localValueDescription boo(bool flag) {
  localValueDescription value;
  value.setBoo(flag);
  return value;
}

// Arguments as a callee sees them: heap copies owned by the list.
inline localOwnedValueList args(std::initializer_list<localValueDescription> values) {
  localOwnedValueList list;
  for (const localValueDescription& value : values) list.add(std::make_unique<localValueDescription>(value));
  return list;
}

struct Call {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  localValueDescription result;
  std::string printed;
};

// Calls the built-in routine directly with the given context (may be null).
inline Call builtin(const std::wstring& name, std::initializer_list<localValueDescription> values,
                    localContextUTF8* context = nullptr) {
  Call call;
  localOwnedValueList list = args(values);
  void* object = context;
  CoutCapture capture;
  call.ok = localContextUTF8::classImplementationMethodFunction(call.state, object, name, list.get(), call.result);
  call.printed = capture.text();
  return call;
}

}  // namespace contextTest
