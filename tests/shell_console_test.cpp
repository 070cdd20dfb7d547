// The console loop read from a prepared standard input: line ends, end of input, lines
// longer than the buffer, trailing blanks and zero bytes.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "interp/localInterpretatorUTF8.h"
#include "shell_test_support.h"

namespace {

const std::string prompt = "localInterpretatorUTF8::console # ";

// Runs the console on the given input bytes and returns what it printed.
std::string runConsole(const std::string& input) {
  std::istringstream in(input);
  std::streambuf* savedIn = std::cin.rdbuf(in.rdbuf());
  shellTest::CoutCapture capture;
  localInterpretatorUTF8::console();
  std::cin.rdbuf(savedIn);
  std::cin.clear();
  return capture.text();
}

TEST(ShellConsole, EndOfInputEndsQuietlyAndALastLineWithoutLineEndStillRuns) {
  EXPECT_EQ(runConsole("? 1\n? 2"), prompt + "1\n" + prompt + "2\n" + prompt);
  EXPECT_EQ(runConsole(""), prompt);
}

TEST(ShellConsole, TrailingBlanksAndZeroBytesAreCutButTabsStay) {
  EXPECT_EQ(runConsole(std::string("? 1 \0 \0\n", 8)), prompt + "1\n" + prompt);
  // The template of DISPLAY FUNCTION is the rest of the line, so it shows the tab.
  const std::string output = runConsole("DISPLAY FUNCTION ZZ\t  \n");
  EXPECT_NE(output.find("[ZZ\t]"), std::string::npos) << output;
}

TEST(ShellConsole, AShortLineAfterALongerOneKeepsNothingOfIt) {
  EXPECT_EQ(runConsole("? 123456\n? 7\n? 8"), prompt + "123456\n" + prompt + "7\n" + prompt + "8\n" + prompt);
}

TEST(ShellConsole, LongestLineFitsTheBuffer) {
  std::string line = "? 7";
  line.resize(65531, ' ');
  EXPECT_EQ(runConsole(line + "\n? 8\n"), prompt + "7\n" + prompt + "8\n" + prompt);
}

TEST(ShellConsole, TooLongLineIsSkipped) {
  std::string line = "? 7";
  line.resize(65532, ' ');
  const std::string output = runConsole(line + "\n? 8\n");
  EXPECT_EQ(output, prompt + prompt + "8\n" + prompt);
}

TEST(ShellConsole, RestOfAVeryLongLineIsReadAsTheNextLine) {
  // 65531 bytes are lost, 32767 more are discarded, the rest is a line of its own.
  const std::string line = std::string(65531, 'x') + std::string(32767, 'y') + "? 9";
  const std::string output = runConsole(line + "\n");
  EXPECT_EQ(output, prompt + prompt + "9\n" + prompt);
}

}  // namespace
