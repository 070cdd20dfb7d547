// The console's output buffer: the multibyte form written to standard output reaches the
// console in CP866, a run of non-ASCII bytes only once the next ASCII character follows.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "app/coutMainBufferClass.h"

namespace {

// Remembers how often it was asked to synchronise.
class CountingBuffer : public std::stringbuf {
 public:
  int syncs = 0;

 protected:
  int sync() override {
    ++syncs;
    return std::stringbuf::sync();
  }
};

TEST(ShellOutputBuffer, ReencodesRussianLettersToCp866) {
  std::stringbuf target;
  coutMainBufferClass buffer(&target);
  std::ostream out(&buffer);
  out << "Ёлка ёж: ok\n";
  EXPECT_EQ(target.str(), "\xF0\xAB\xAA\xA0 \xF1\xA6: ok\n");
}

TEST(ShellOutputBuffer, HoldsNonAsciiBytesUntilTheNextAsciiCharacter) {
  std::stringbuf target;
  coutMainBufferClass buffer(&target);
  std::ostream out(&buffer);
  out << "ab";
  EXPECT_EQ(target.str(), "ab");  // ASCII passes at once
  out << "Я";
  EXPECT_EQ(target.str(), "ab");
  out.flush();  // a flush does not release half-known characters
  EXPECT_EQ(target.str(), "ab");
  out << "\n";
  EXPECT_EQ(target.str(), "ab\x9F\n");
}

TEST(ShellOutputBuffer, FlushReachesTheTarget) {
  CountingBuffer target;
  coutMainBufferClass buffer(&target);
  std::ostream out(&buffer);
  out << "prompt # " << std::flush;
  EXPECT_EQ(target.str(), "prompt # ");
  EXPECT_GE(target.syncs, 1);
}

TEST(ShellOutputBuffer, HeldBytesAreNotLostAtTheEnd) {
  std::stringbuf target;
  {
    coutMainBufferClass buffer(&target);
    std::ostream out(&buffer);
    out << "x=ё";
  }
  EXPECT_EQ(target.str(), "x=\xF1");
}

}  // namespace
