#pragma once
// Helpers for the shell tests: capture of standard output and a recorder that stands in
// for the operating system's command processor.
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/localSystem.h"
#include "tests/test_cout_capture.h"

namespace shellTest {

using testSupport::CoutCapture;

// Records every command line instead of running it; restores the stand-in at the end.
class SystemRecorder {
 public:
  SystemRecorder() {
    localSetSystemHook([this](const std::string& line) {
      lines.push_back(line);
      return 0;
    });
  }
  ~SystemRecorder() { localSetSystemHook({}); }
  SystemRecorder(const SystemRecorder&) = delete;
  SystemRecorder& operator=(const SystemRecorder&) = delete;

  std::vector<std::string> lines;
};

}  // namespace shellTest
