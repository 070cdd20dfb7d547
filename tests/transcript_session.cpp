// The run of one transcript session: see transcript_session.h.
#include "transcript_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "transcript_codec.h"
#include "transcript_process.h"

namespace transcript {
namespace {

namespace fs = std::filesystem;

constexpr std::chrono::seconds timeLimit{20};

// Stderr can be long (sanitizer reports); keep the start, which names the fault.
std::string shortened(const std::string& text) {
  constexpr std::size_t limit = 6000;
  return text.size() <= limit ? text : text.substr(0, limit) + "\n...[truncated]";
}

bool writeSectionFiles(const std::string& directory, const std::vector<FileSection>& files) {
  for (const FileSection& file : files) {
    std::string bytes;
    std::string error;
    if (!fileSectionBytes(file, bytes, error)) {
      ADD_FAILURE() << "@file " << file.name << ": " << error;
      return false;
    }
    const fs::path path = fs::path(directory) / file.name;
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    if (!writeBinaryFile(path.string(), bytes)) {
      ADD_FAILURE() << "cannot write " << path;
      return false;
    }
  }
  return true;
}

void checkExpectedFiles(const std::string& directory, const std::vector<FileSection>& files) {
  for (const FileSection& file : files) {
    std::string expected;
    std::string error;
    if (!fileSectionBytes(file, expected, error)) {
      ADD_FAILURE() << "@expect-file " << file.name << ": " << error;
      continue;
    }
    std::string actual;
    if (!readBinaryFile((fs::path(directory) / file.name).string(), actual)) {
      ADD_FAILURE() << "expected file " << file.name << " was not created";
      continue;
    }
    const std::string difference = describeDifference(decodeCp1251(expected), decodeCp1251(actual));
    EXPECT_EQ(expected, actual) << "content of " << file.name << " differs\n"
                                << difference << "actual content:\n" << decodeCp1251(actual);
  }
}

}  // namespace

void runSession(const std::string& binary, const Transcript& session) {
  std::string error;
  std::string stdinBytes;
  for (const std::string& line : session.input) {
    std::string encoded;
    ASSERT_TRUE(encodeLine(line, CodePage::cp866, encoded, error)) << "@input: " << error;
    stdinBytes += encoded + "\n";
  }

  TemporaryDirectory work;
  TemporaryDirectory streams;  // kept apart so the session's directory holds only its files
  ASSERT_FALSE(work.path().empty() || streams.path().empty()) << "cannot create a temporary directory";
  ASSERT_TRUE(writeSectionFiles(work.path(), session.files));
  const std::string stdinPath = streams.path() + "/stdin";
  const std::string stdoutPath = streams.path() + "/stdout";
  const std::string stderrPath = streams.path() + "/stderr";
  ASSERT_TRUE(writeBinaryFile(stdinPath, stdinBytes));

  const ProcessResult run = runProcess(binary, work.path(), stdinPath, stdoutPath, stderrPath,
                                       std::chrono::duration_cast<std::chrono::milliseconds>(timeLimit));
  ASSERT_TRUE(run.started) << run.error;

  std::string rawOutput;
  std::string errors;
  readBinaryFile(stdoutPath, rawOutput);
  if (run.outputTooLarge) rawOutput.resize(std::min<std::size_t>(rawOutput.size(), 1 << 16));
  readBinaryFile(stderrPath, errors);
  const std::string actual = renderWithEcho(decodeConsoleOutput(rawOutput), session.input);

  EXPECT_FALSE(run.timedOut) << "the interpreter did not finish within " << timeLimit.count() << " s";
  EXPECT_FALSE(run.outputTooLarge) << "the interpreter was stopped for writing too much output";
  // A piped console exits with 1 when one of its lines failed (the command-line tests
  // check which); anything else is a crash or a usage error.
  EXPECT_TRUE(run.exited && (run.exitCode == 0 || run.exitCode == 1))
      << (run.exited ? "exit status " + std::to_string(run.exitCode) : "killed by signal " + std::to_string(run.signal))
      << "\nstderr:\n" << shortened(errors);
  const std::string difference = describeDifference(session.output, actual);
  EXPECT_TRUE(difference.empty()) << difference << "--- actual output ---\n" << actual << "--- end ---\n"
                                  << "stderr:\n" << shortened(errors);
  checkExpectedFiles(work.path(), session.expectedFiles);
}

std::vector<std::string> filesEndingIn(const std::string& directory, const std::string& extension) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(directory, error)) {
    if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string testNameOfFile(const testing::TestParamInfo<std::string>& info) {
  std::string name = fs::path(info.param).stem().string();
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

}  // namespace transcript
