#pragma once
#include <streambuf>
#include <string>

// A stream buffer that writes to a file descriptor, for a protocol stream that must be
// kept apart from standard output: the server takes the process's standard output for
// itself (takeStandardOutput) and everything else that writes there goes nowhere.
class localDescriptorOutput : public std::streambuf {
 public:
  explicit localDescriptorOutput(int descriptor) : descriptor_(descriptor) {}
  ~localDescriptorOutput() override { sync(); }
  localDescriptorOutput(const localDescriptorOutput&) = delete;
  localDescriptorOutput& operator=(const localDescriptorOutput&) = delete;

  // A copy of standard output's descriptor for the protocol; standard output itself is
  // pointed at /dev/null. -1 when the descriptors cannot be arranged.
  static int takeStandardOutput();

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

 private:
  bool writeAll(const char* bytes, std::size_t count);
  int descriptor_;
  std::string pending_;
  bool failed_ = false;
};
