#pragma once
// Helpers for the shell tests: capture of standard output and a recorder that stands in
// for the operating system's command processor.
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/localSystem.h"

namespace shellTest {

// Redirects std::cout for its lifetime.
class CoutCapture {
 public:
  CoutCapture() : saved_(std::cout.rdbuf(buffer_.rdbuf())) {}
  ~CoutCapture() { std::cout.rdbuf(saved_); }
  CoutCapture(const CoutCapture&) = delete;
  CoutCapture& operator=(const CoutCapture&) = delete;
  std::string text() const { return buffer_.str(); }

 private:
  std::ostringstream buffer_;
  std::streambuf* saved_;
};

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
