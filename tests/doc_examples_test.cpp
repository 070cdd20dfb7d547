// Runs every example of the reference (doc/*.md, and its Russian pages in doc/ru/) through
// the built interpreter, as the transcripts are run: a fresh process per example, CP866
// input, the decoded output compared byte for byte with what the page shows. Both ways of
// running programs.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "doc_examples.h"
#include "transcript_process.h"
#include "transcript_session.h"

namespace {

namespace fs = std::filesystem;

const fs::path docDirectory = fs::path(LOCALINTERP_SOURCE_DIR) / "doc";

std::vector<std::string> referencePages() {
  std::vector<std::string> pages = transcript::filesEndingIn(docDirectory.string(), ".md");
  for (std::string& page : transcript::filesEndingIn((docDirectory / "ru").string(), ".md")) pages.push_back(page);
  return pages;
}

// Russian pages are told apart from the English ones of the same name.
std::string testNameOfPage(const testing::TestParamInfo<std::string>& info) {
  const std::string name = transcript::testNameOfFile(info);
  return fs::path(info.param).parent_path().filename() == "ru" ? "ru_" + name : name;
}

class ReferenceExamples : public testing::TestWithParam<std::string> {
 protected:
  void runPage() {
    const fs::path binary = fs::absolute(LOCALINTERP_BINARY);
    ASSERT_TRUE(fs::is_regular_file(binary)) << "interpreter binary not found: " << binary;
    std::string markdown;
    ASSERT_TRUE(transcript::readBinaryFile(GetParam(), markdown)) << "cannot read " << GetParam();
    std::vector<docExamples::Example> examples;
    std::string error;
    ASSERT_TRUE(docExamples::parsePage(markdown, examples, error)) << GetParam() << ": " << error;
    for (const docExamples::Example& example : examples) {
      SCOPED_TRACE(fs::path(GetParam()).filename().string() + ":" + std::to_string(example.line));
      transcript::runSession(binary.string(), example.session);
    }
  }
};

class ReferenceExamplesScanOnly : public ReferenceExamples {
 protected:
  void SetUp() override { setenv("LOCALINTERP_ENGINE", "scan", 1); }
  void TearDown() override { unsetenv("LOCALINTERP_ENGINE"); }
};

TEST_P(ReferenceExamples, PrintWhatThePageShows) { runPage(); }
TEST_P(ReferenceExamplesScanOnly, PrintWhatThePageShows) { runPage(); }

INSTANTIATE_TEST_SUITE_P(Doc, ReferenceExamples, testing::ValuesIn(referencePages()),
                         testNameOfPage);
INSTANTIATE_TEST_SUITE_P(Doc, ReferenceExamplesScanOnly, testing::ValuesIn(referencePages()), testNameOfPage);

// The conventions themselves: what a console block and a program block turn into.
TEST(ReferenceExampleFormat, ConsoleBlockBecomesSessionWithImpliedStartAndEnd) {
  const std::string page =
      "text\n```prg a.prg\n? 1;\n```\n```console\n> ? 2+2\n4\n>\n```\n```text\n> not run\n```\n"
      "```console\n> QUIT\nGood bye!\n```\n";
  std::vector<docExamples::Example> examples;
  std::string error;
  ASSERT_TRUE(docExamples::parsePage(page, examples, error)) << error;
  ASSERT_EQ(examples.size(), 2u);
  const std::string prompt = docExamples::consolePrompt;
  const transcript::Transcript& first = examples[0].session;
  EXPECT_EQ(examples[0].line, 5);
  ASSERT_EQ(first.files.size(), 1u);
  EXPECT_EQ(first.files[0].name, "a.prg");
  EXPECT_EQ(first.files[0].lines, std::vector<std::string>{"? 1;"});
  EXPECT_EQ(first.input, (std::vector<std::string>{"? 2+2", ""}));
  EXPECT_EQ(first.output, std::string(docExamples::startupLine) + prompt + "? 2+2\n4\n" + prompt + "\n" + prompt + "\n");
  EXPECT_EQ(examples[1].session.output, std::string(docExamples::startupLine) + prompt + "QUIT\nGood bye!\n");
}

TEST(ReferenceExampleFormat, LinesAtTheDebuggerPromptAreTyped) {
  const std::string page = "```console\n> DEBUG p.prg\nstopped\n(отладка) next\nout\n```\n";
  std::vector<docExamples::Example> examples;
  std::string error;
  ASSERT_TRUE(docExamples::parsePage(page, examples, error)) << error;
  ASSERT_EQ(examples.size(), 1u);
  const std::string prompt = docExamples::consolePrompt;
  EXPECT_EQ(examples[0].session.input, (std::vector<std::string>{"DEBUG p.prg", "next"}));
  EXPECT_EQ(examples[0].session.output, std::string(docExamples::startupLine) + prompt +
                                            "DEBUG p.prg\nstopped\n(отладка) next\nout\n" + prompt + "\n");
}

TEST(ReferenceExampleFormat, MalformedBlocksAreReported) {
  std::vector<docExamples::Example> examples;
  std::string error;
  EXPECT_FALSE(docExamples::parsePage("```console\n> ? 1\n", examples, error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  EXPECT_FALSE(docExamples::parsePage("```prg\n? 1;\n```\n", examples, error));
  EXPECT_FALSE(docExamples::parsePage("```prg ../x.prg\n? 1;\n```\n", examples, error));
}

}  // namespace
