#include "context/localContextUTF8.h"
#include "program/localOperatorCompiled.h"

localContextUTF8::localContextUTF8() {
  recordsChanged();  // a generation of its own from the start: no site remembers it
  localReturnStateType state = localErrorTypeOK;
  init(state);
}

// Declarations, compiled nodes and script objects outlive the context on purpose:
// they are kept alive elsewhere (localKeepAlive) or owned by compiledBodies.
localContextUTF8::~localContextUTF8() = default;
