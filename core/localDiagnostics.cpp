#include "core/localDiagnostics.h"

#include <iostream>
#include <utility>

namespace {

std::ostream* diagnostics = nullptr;

// A stream without a buffer: what is written to it goes nowhere.
std::ostream discarded(nullptr);

// Two streams that may reach one terminal or file: what standard output holds back must
// come out before a diagnostic, so that both keep the order in which they happened.
void flushOutputBefore(const std::ostream& other) {
  if (&other != &std::cout) std::cout.flush();
}

}  // namespace

std::ostream& localDiagnostics() {
  if (diagnostics == nullptr) return std::cout;
  if (diagnostics == &discarded) return discarded;
  flushOutputBefore(*diagnostics);
  return *diagnostics;
}

std::ostream* localSetDiagnostics(std::ostream* stream) { return std::exchange(diagnostics, stream); }

std::ostream* localDiscardDiagnostics() { return std::exchange(diagnostics, &discarded); }

bool localDiagnosticsDiscarded() { return diagnostics == &discarded; }

void localWarning(const std::string& text) {
  flushOutputBefore(std::cerr);
  std::cerr << "localinterp: warning: " << text << "\n";
  std::cerr.flush();
}
