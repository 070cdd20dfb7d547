#include "core/localDiagnostics.h"

#include <iostream>

namespace {

std::ostream* diagnostics = nullptr;

// Two streams that may reach one terminal or file: what standard output holds back must
// come out before a diagnostic, so that both keep the order in which they happened.
void flushOutputBefore(const std::ostream& other) {
  if (&other != &std::cout) std::cout.flush();
}

}  // namespace

std::ostream& localDiagnostics() {
  if (diagnostics == nullptr) return std::cout;
  flushOutputBefore(*diagnostics);
  return *diagnostics;
}

void localSetDiagnostics(std::ostream* stream) { diagnostics = stream; }

void localWarning(const std::string& text) {
  flushOutputBefore(std::cerr);
  std::cerr << "localinterp: warning: " << text << "\n";
  std::cerr.flush();
}
