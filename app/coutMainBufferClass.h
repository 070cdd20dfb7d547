#pragma once
#include <streambuf>
#include <string>

// Output buffer of standard output: every character reaches overflow() one at a time;
// runs of non-ASCII bytes (the multibyte form) are held back and re-encoded to CP866
// when the next ASCII character arrives.
class coutMainBufferClass : public std::streambuf {
 public:
  coutMainBufferClass();
  explicit coutMainBufferClass(std::streambuf* target);
  ~coutMainBufferClass() override;


 protected:
  int overflow(int c) override;
  int sync() override;

 private:
  // Re-encodes the held-back multibyte run to CP866 and writes it to the target.
  void releasePending();

  char lastChar_ = 0;
  std::streambuf* target_;
  char putArea_[1] = {0};
  std::string pending_;
};
