#include "context/localContextUTF8.h"
#include "program/localOperatorCompiled.h"

localContextUTF8::localContextUTF8() {
  localReturnStateType state = localErrorTypeOK;
  init(state);
}

// Declarations, compiled nodes and script objects outlive the context on purpose:
// they are kept alive elsewhere (localKeepAlive) or owned by compiledBodies.
localContextUTF8::~localContextUTF8() = default;
