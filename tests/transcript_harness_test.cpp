// Checks of the transcript harness itself: its codecs, the format parser, the echo
// rendering and the process runner (driven with small shell scripts as fake binaries).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "transcript_codec.h"
#include "transcript_format.h"
#include "transcript_process.h"

using namespace transcript;

TEST(TranscriptHarness, EncodesRussianLettersAndEscapes) {
  std::string bytes;
  std::string error;
  ASSERT_TRUE(encodeLine("? \"АпрЯЁё\" \\x00\\xfF\\x4", CodePage::cp866, bytes, error)) << error;
  EXPECT_EQ(bytes, std::string("? \"\x80\xAF\xE0\x9F\xF0\xF1\" \0\xFF\\x4", 16));
  ASSERT_TRUE(encodeLine("АпрЯЁё", CodePage::cp1251, bytes, error)) << error;
  EXPECT_EQ(bytes, "\xC0\xEF\xF0\xDF\xA8\xB8");
  EXPECT_FALSE(encodeLine("price €", CodePage::cp866, bytes, error));
  EXPECT_NE(error.find("€"), std::string::npos);
  EXPECT_FALSE(encodeLine("bad \xD0", CodePage::cp1251, bytes, error));
}

TEST(TranscriptHarness, DecodesConsoleOutput) {
  EXPECT_EQ(decodeConsoleOutput("a\tb\n\x80\xAF\xE0\xEF\xF0\xF1"), "a\tb\nАпряЁё");
  EXPECT_EQ(decodeConsoleOutput(std::string("\xB3\xFF\r\0\x7F", 5)), "\\xB3\\xFF\\x0D\\x00\\x7F");
  EXPECT_EQ(decodeCp1251("\xC0\xFF\xA8\x80"), "АяЁ\\x80");
  // Every byte of both pages decodes to something that encodes back to the same byte.
  for (unsigned b = 0; b < 256; ++b) {
    const std::string raw(1, static_cast<char>(b));
    std::string bytes;
    std::string error;
    ASSERT_TRUE(encodeLine(decodeConsoleOutput(raw), CodePage::cp866, bytes, error)) << error;
    EXPECT_EQ(bytes, raw) << b;
    ASSERT_TRUE(encodeLine(decodeCp1251(raw), CodePage::cp1251, bytes, error)) << error;
    EXPECT_EQ(bytes, raw) << b;
  }
}

TEST(TranscriptHarness, ParsesSections) {
  const std::string text =
      "# comment\n"
      "\n"
      "@file prog.prg crlf\n"
      "? 1;\n"
      "@file sub/raw.txt noeol\n"
      "a\n"
      "b\n"
      "@expect-file out.txt\n"
      "\n"
      "@input\n"
      "DO prog.prg\n"
      "@expected output is not a section\n"
      "@output\n"
      "line \n"
      "@input\n";
  Transcript t;
  std::string error;
  ASSERT_TRUE(parseTranscript(text, t, error)) << error;
  ASSERT_EQ(t.files.size(), 2u);
  EXPECT_EQ(t.files[0].name, "prog.prg");
  EXPECT_TRUE(t.files[0].crlf);
  EXPECT_EQ(t.files[1].name, "sub/raw.txt");
  EXPECT_TRUE(t.files[1].noFinalLineEnd);
  ASSERT_EQ(t.expectedFiles.size(), 1u);
  EXPECT_EQ(t.expectedFiles[0].lines, std::vector<std::string>{""});
  EXPECT_EQ(t.input, (std::vector<std::string>{"DO prog.prg", "@expected output is not a section"}));
  EXPECT_EQ(t.output, "line \n@input\n");

  std::string bytes;
  ASSERT_TRUE(fileSectionBytes(t.files[0], bytes, error));
  EXPECT_EQ(bytes, "? 1;\r\n");
  ASSERT_TRUE(fileSectionBytes(t.files[1], bytes, error));
  EXPECT_EQ(bytes, "a\nb");
  ASSERT_TRUE(fileSectionBytes(t.expectedFiles[0], bytes, error));
  EXPECT_EQ(bytes, "\n");
}

TEST(TranscriptHarness, RejectsMalformedTranscripts) {
  Transcript t;
  std::string error;
  EXPECT_FALSE(parseTranscript("@input\nQUIT\n", t, error));
  EXPECT_NE(error.find("@output"), std::string::npos);
  EXPECT_FALSE(parseTranscript("stray\n@input\n@output\n", t, error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  EXPECT_FALSE(parseTranscript("@output\n", t, error));
  EXPECT_FALSE(parseTranscript("@file ../escape.txt\n@input\n@output\n", t, error));
  EXPECT_FALSE(parseTranscript("@file /abs.txt\n@input\n@output\n", t, error));
  EXPECT_FALSE(parseTranscript("@file a.txt utf16\n@input\n@output\n", t, error));
  EXPECT_FALSE(parseTranscript("@input\n@input\n@output\n", t, error));
  EXPECT_FALSE(parseTranscript("@input\n@file late.prg\n@output\n", t, error));
}

TEST(TranscriptHarness, SplitsSessionsAtTheSessionMarker) {
  const std::string text =
      "# first\n"
      "@file a.prg\n"
      "x\n"
      "@input\n"
      "@session\n"
      "@output\n"
      "one\n"
      "@session\n"
      "# second, with its own files\n"
      "@file b.prg\n"
      "@input\n"
      "QUIT\n"
      "@output\n"
      "two\n"
      "@sessions is output\n";
  std::vector<Transcript> sessions;
  std::string error;
  ASSERT_TRUE(parseTranscriptSessions(text, sessions, error)) << error;
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[0].input, std::vector<std::string>{"@session"});  // input, not a marker
  EXPECT_EQ(sessions[0].output, "one\n");
  ASSERT_EQ(sessions[0].files.size(), 1u);
  EXPECT_EQ(sessions[0].files[0].name, "a.prg");
  ASSERT_EQ(sessions[1].files.size(), 1u);
  EXPECT_EQ(sessions[1].files[0].name, "b.prg");
  EXPECT_EQ(sessions[1].output, "two\n@sessions is output\n");

  Transcript single;
  EXPECT_FALSE(parseTranscript(text, single, error));  // more than one session
  // An empty session after the marker, and a fault in a later session named by its line.
  EXPECT_FALSE(parseTranscriptSessions("@input\n@output\n@session\n", sessions, error));
  EXPECT_FALSE(parseTranscriptSessions("@input\n@output\n@session\nstray\n@input\n@output\n", sessions, error));
  EXPECT_NE(error.find("line 4"), std::string::npos) << error;
}

TEST(TranscriptHarness, EchoesInputAfterPrompts) {
  const std::string prompt = "localInterpretatorUTF8::console # ";
  const std::string output = "start\n" + prompt + "4\n" + prompt + "Good bye!\n";
  EXPECT_EQ(renderWithEcho(output, {"? 2+2", "QUIT"}),
            "start\n" + prompt + "? 2+2\n4\n" + prompt + "QUIT\nGood bye!\n");
  // A prompt that met the end of input gets only a line end.
  EXPECT_EQ(renderWithEcho(prompt + "x\n" + prompt, {"a"}), prompt + "a\nx\n" + prompt + "\n");
  // The debugger's prompt takes its line of input in turn.
  const std::string debugger = "(отладка) ";
  EXPECT_EQ(renderWithEcho(prompt + debugger + "1\n" + prompt, {"DEBUG p", "print x", "QUIT"}),
            prompt + "DEBUG p\n" + debugger + "print x\n1\n" + prompt + "QUIT\n");
}

TEST(TranscriptHarness, DescribesFirstDifference) {
  EXPECT_EQ(describeDifference("a\nb\n", "a\nb\n"), "");
  const std::string d = describeDifference("a\nbc\nz\n", "a\nbd\nz\n");
  EXPECT_NE(d.find("line 2, column 1"), std::string::npos) << d;
  EXPECT_NE(d.find("[bc]"), std::string::npos) << d;
  EXPECT_NE(d.find("[bd]"), std::string::npos) << d;
  EXPECT_NE(describeDifference("a\n", "a\nextra").find("<end of output>"), std::string::npos);
  EXPECT_NE(describeDifference("a\n", "a").find("(no line end)"), std::string::npos);
}

class TranscriptProcess : public testing::Test {
 protected:
  // Writes an executable shell script standing in for the interpreter.
  std::string fakeBinary(const std::string& body) {
    const std::string path = tools_.path() + "/fake.sh";
    writeBinaryFile(path, "#!/bin/sh\n" + body + "\n");
    chmod(path.c_str(), 0755);
    return path;
  }
  ProcessResult run(const std::string& program, std::chrono::milliseconds limit = std::chrono::seconds(10),
                    std::uintmax_t outputLimit = std::uintmax_t{1} << 20) {
    return runProcess(program, work_.path(), tools_.path() + "/in", tools_.path() + "/out", tools_.path() + "/err",
                      limit, outputLimit);
  }
  std::string read(const std::string& name) {
    std::string bytes;
    readBinaryFile(tools_.path() + "/" + name, bytes);
    return bytes;
  }

  TemporaryDirectory work_;
  TemporaryDirectory tools_;
};

TEST_F(TranscriptProcess, RunsInTheWorkingDirectoryWithRedirectedStreams) {
  ASSERT_TRUE(writeBinaryFile(tools_.path() + "/in", "line1\nline2\n"));
  const ProcessResult result = run(fakeBinary("pwd; cat; echo oops >&2; exit 3"));
  ASSERT_TRUE(result.started) << result.error;
  EXPECT_FALSE(result.timedOut);
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(read("out"), std::filesystem::canonical(work_.path()).string() + "\nline1\nline2\n");
  EXPECT_EQ(read("err"), "oops\n");
}

TEST_F(TranscriptProcess, KillsRunawayProgramsAndReportsSignals) {
  ASSERT_TRUE(writeBinaryFile(tools_.path() + "/in", ""));
  const auto started = std::chrono::steady_clock::now();
  ProcessResult result = run(fakeBinary("exec sleep 30"), std::chrono::milliseconds(300));
  EXPECT_TRUE(result.timedOut);
  EXPECT_FALSE(result.exited);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));

  result = run(fakeBinary("exec yes"), std::chrono::seconds(20), std::uintmax_t{1} << 20);
  EXPECT_TRUE(result.outputTooLarge);
  EXPECT_FALSE(result.timedOut);

  result = run(fakeBinary("kill -SEGV $$"));
  EXPECT_FALSE(result.exited);
  EXPECT_EQ(result.signal, SIGSEGV);
}

TEST_F(TranscriptProcess, MissingProgramIsReportedNotCrashed) {
  ASSERT_TRUE(writeBinaryFile(tools_.path() + "/in", ""));
  const ProcessResult result = run(tools_.path() + "/no-such-binary");
  EXPECT_FALSE(result.started);
  EXPECT_NE(result.error.find("no-such-binary"), std::string::npos);
}
