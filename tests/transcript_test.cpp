// Runs every console transcript in tests/transcripts against the built interpreter: one
// fresh process per session of a transcript, in its own empty directory, with the input
// in CP866; the decoded output, with the input echoed after each prompt, must match exactly.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "transcript_codec.h"
#include "transcript_format.h"
#include "transcript_process.h"
#include "transcript_session.h"

namespace {

namespace fs = std::filesystem;
using namespace transcript;

std::vector<std::string> transcriptFiles() { return filesEndingIn(LOCALINTERP_TRANSCRIPTS, ".txt"); }

class TranscriptTest : public testing::TestWithParam<std::string> {
 protected:
  void checkSessions();
};

// The same sessions with every compiled node scanning its text instead of running its
// code (the interpreter reads the engine switch from its environment): both engines
// must print the same bytes.
class TranscriptScanOnlyTest : public TranscriptTest {
 protected:
  void SetUp() override { setenv("LOCALINTERP_ENGINE", "scan", 1); }
  void TearDown() override { unsetenv("LOCALINTERP_ENGINE"); }
};

TEST_P(TranscriptTest, MatchesConsoleSession) { checkSessions(); }
TEST_P(TranscriptScanOnlyTest, MatchesConsoleSession) { checkSessions(); }

void TranscriptTest::checkSessions() {
  const fs::path binary = fs::absolute(LOCALINTERP_BINARY);
  ASSERT_TRUE(fs::is_regular_file(binary)) << "interpreter binary not found: " << binary;

  std::string text;
  ASSERT_TRUE(readBinaryFile(GetParam(), text)) << "cannot read " << GetParam();
  std::vector<Transcript> sessions;
  std::string error;
  ASSERT_TRUE(parseTranscriptSessions(text, sessions, error)) << GetParam() << ": " << error;
  for (std::size_t i = 0; i < sessions.size(); ++i) {
    SCOPED_TRACE("session " + std::to_string(i + 1) + " of " + std::to_string(sessions.size()));
    runSession(binary.string(), sessions[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(Transcripts, TranscriptTest, testing::ValuesIn(transcriptFiles()), testNameOfFile);
INSTANTIATE_TEST_SUITE_P(Transcripts, TranscriptScanOnlyTest, testing::ValuesIn(transcriptFiles()), testNameOfFile);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TranscriptTest);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TranscriptScanOnlyTest);

}  // namespace
