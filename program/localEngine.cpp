// The engine switch: LOCALINTERP_ENGINE=scan makes compiled programs scan their texts at
// every run (the reference way); anything else, or nothing, runs their code.
#include <cstdlib>
#include <cstring>

#include "program/localCode.h"

namespace {

localEngine::kind fromEnvironment() {
  const char* setting = std::getenv("LOCALINTERP_ENGINE");
  return setting != nullptr && std::strcmp(setting, "scan") == 0 ? localEngine::kind::scan : localEngine::kind::code;
}

localEngine::kind engine = fromEnvironment();

}  // namespace

localEngine::kind localEngine::current() { return engine; }
void localEngine::set(kind chosen) { engine = chosen; }
