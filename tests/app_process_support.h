#pragma once
// Runs the built interpreter with arguments and input and collects what it wrote.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "transcript_process.h"

namespace appTest {

struct Run {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when it did not exit by itself
};

// Runs localinterp in `directory` (a fresh one when empty) with stdin holding `input`.
inline Run runInterpreter(const std::vector<std::string>& arguments, const std::string& input = "",
                          const std::string& directory = "") {
  Run run;
  transcript::TemporaryDirectory streams;
  transcript::TemporaryDirectory work;
  const std::string in = streams.path() + "/in";
  const std::string out = streams.path() + "/out";
  const std::string err = streams.path() + "/err";
  EXPECT_TRUE(transcript::writeBinaryFile(in, input));
  const transcript::ProcessResult result = transcript::runProcess(
      std::filesystem::absolute(LOCALINTERP_BINARY).string(), arguments,
      directory.empty() ? work.path() : directory, in, out, err, std::chrono::seconds(20));
  EXPECT_TRUE(result.started) << result.error;
  transcript::readBinaryFile(out, run.out);
  transcript::readBinaryFile(err, run.err);
  if (result.exited) run.status = result.exitCode;
  return run;
}

}  // namespace appTest
