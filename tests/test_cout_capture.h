#pragma once
// Redirects std::cout for its lifetime; text() gives what was written so far (the
// multibyte form), wideText() the same brought back to a wide string.
#include <iostream>
#include <sstream>
#include <string>

#include "text/localString.h"

namespace testSupport {

class CoutCapture {
 public:
  CoutCapture() : saved_(std::cout.rdbuf(buffer_.rdbuf())) {}
  ~CoutCapture() { std::cout.rdbuf(saved_); }
  CoutCapture(const CoutCapture&) = delete;
  CoutCapture& operator=(const CoutCapture&) = delete;
  std::string text() const { return buffer_.str(); }
  std::wstring wideText() const { return localString::stdStringMultibyteToStdWString(buffer_.str()); }

 private:
  std::ostringstream buffer_;
  std::streambuf* saved_;
};

}  // namespace testSupport
