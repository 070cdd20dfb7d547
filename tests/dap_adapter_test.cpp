// The debug adapter through its streams, as an editor talks to it: a whole session with
// a breakpoint moved off a blank line, the stack, variables, evaluation, the program's
// output and its end; input it must refuse without ending; and the pieces it is made of
// (reading requests, capturing output).
#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "context/localContextUTF8.h"
#include "dap/localDapOutput.h"
#include "dap/localDapServer.h"
#include "protocol/localDapMessages.h"
#include "protocol/localMessageFraming.h"

namespace {

using json = localDapMessages::json;

std::string framed(const json& message) {
  const std::string content = message.dump();
  return "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + content;
}

std::string requests(const std::vector<std::pair<std::string, json>>& list, int seq = 1) {
  std::string bytes;
  for (const auto& [command, arguments] : list)
    bytes += framed({{"seq", seq++}, {"type", "request"}, {"command", command}, {"arguments", arguments}});
  return bytes;
}

std::vector<json> messagesOf(const std::string& written) {
  std::istringstream stream(written);
  localMessageFraming::reader reader(stream);
  std::vector<json> messages;
  for (auto m = reader.next(); m.status == localMessageFraming::message::kind::content; m = reader.next())
    messages.push_back(json::parse(m.content));
  return messages;
}

const json* responseTo(const std::vector<json>& messages, int seq) {
  for (const json& message : messages) {
    if (message["type"] == "response" && message["request_seq"] == seq) return &message;
  }
  return nullptr;
}

// Input given in stages, as an editor sends it: each stage once the adapter has
// reported so many stops, and the end of input once the run has ended (or at once when
// `endAtOnce`). A real client asks about a stop only after it has been told of it.
class stagedInput : public std::streambuf {
 public:
  stagedInput(std::vector<std::string> stages, bool endAtOnce) : stages_(std::move(stages)), ended_(endAtOnce) {}
  // Told of everything written so far.
  void written(const std::string& text) {
    const std::lock_guard<std::mutex> hold(lock_);
    stops_ = 0;
    for (std::size_t at = text.find("\"event\":\"stopped\""); at != std::string::npos;
         at = text.find("\"event\":\"stopped\"", at + 1))
      ++stops_;
    if (text.find("\"event\":\"terminated\"") != std::string::npos) ended_ = true;
    changed_.notify_all();
  }

 protected:
  int_type underflow() override {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [this] { return (next_ < stages_.size() && stops_ >= next_) || ended_; });
    if (next_ >= stages_.size() || (ended_ && stops_ < next_)) return traits_type::eof();
    std::string& bytes = stages_[next_++];
    setg(bytes.data(), bytes.data(), bytes.data() + bytes.size());
    return bytes.empty() ? traits_type::eof() : traits_type::to_int_type(*gptr());
  }

 private:
  std::vector<std::string> stages_;
  std::size_t next_ = 0;
  std::size_t stops_ = 0;
  bool ended_;
  std::mutex lock_;
  std::condition_variable changed_;
};

// Output that keeps what is written and tells the input.
class watchedOutput : public std::streambuf {
 public:
  explicit watchedOutput(stagedInput& input) : input_(input) {}
  std::string text() const { return written_; }

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) written_.push_back(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* bytes, std::streamsize count) override {
    written_.append(bytes, static_cast<std::size_t>(count));
    input_.written(written_);
    return count;
  }

 private:
  stagedInput& input_;
  std::string written_;
};

class DapSession : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() /
                 ("localinterp-dap-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string write(const std::string& name, const std::string& text) {
    const std::filesystem::path file = directory_ / name;
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }

  // Serves the requests and returns what the adapter wrote.
  std::vector<json> serve(std::vector<std::string> stages, bool endAtOnce) {
    stagedInput staged(std::move(stages), endAtOnce);
    watchedOutput output(staged);
    std::istream in(&staged);
    std::ostream out(&output);
    localContextUTF8 context;
    localDapServer::serve(in, out, context, [](const std::wstring& file, const localDapServer::debugRun& run) {
      localReturnStateType state = localErrorTypeOK;
      return run(state, file) ? 0 : 1;
    });
    return messagesOf(output.text());
  }

  std::filesystem::path directory_;
};

TEST_F(DapSession, BreakpointsStackVariablesOutputAndTheEnd) {
  const std::string file = write("report.prg",
                                 "PROCEDURE Show()\n"
                                 "  ? 'total: ' + STRING(s);\n"
                                 "ENDPROCEDURE;\n"
                                 "s = 0;\n"
                                 "\n"
                                 "n = 3;\n"
                                 "FOR i = 1 TO n DO\n"
                                 "  s = s + i;\n"
                                 "ENDDO;\n"
                                 "Show();\n");
  const std::vector<json> messages = serve(
      {requests({{"initialize", {{"adapterID", "test"}}},
                 {"launch", {{"program", file}}},
                 {"setBreakpoints",
                  {{"source", {{"path", file}}}, {"breakpoints", {{{"line", 5}}, {{"line", 2}}, {{"line", 40}}}}}},
                 {"configurationDone", json::object()}}),
       requests({{"stackTrace", {{"threadId", 1}}},
                 {"evaluate", {{"expression", "s + 1"}, {"context", "repl"}}},
                 {"continue", {{"threadId", 1}}}},
                5),
       requests({{"stackTrace", {{"threadId", 1}}},
                 {"variables", {{"variablesReference", 1}}},
                 {"evaluate", {{"expression", "s ="}, {"context", "repl"}}},
                 {"continue", {{"threadId", 1}}}},
                8)},
      false);

  const json* set = responseTo(messages, 3);
  ASSERT_NE(set, nullptr);
  const json& points = (*set)["body"]["breakpoints"];
  ASSERT_EQ(points.size(), 3u);
  // The blank line's breakpoint moves to the statement below it; past the end there is none.
  EXPECT_EQ(points[0]["line"], 6);
  EXPECT_EQ(points[0]["verified"], true);
  EXPECT_EQ(points[1]["line"], 2);
  EXPECT_EQ(points[2]["verified"], false);

  const json& first = (*responseTo(messages, 5))["body"]["stackFrames"];
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0]["line"], 6);
  EXPECT_EQ(first[0]["source"]["path"], file);
  EXPECT_EQ((*responseTo(messages, 6))["body"]["result"], "1");

  const json& inner = (*responseTo(messages, 8))["body"]["stackFrames"];
  ASSERT_EQ(inner.size(), 2u);
  EXPECT_EQ(inner[0]["name"], "SHOW");
  EXPECT_EQ(inner[0]["line"], 2);
  EXPECT_EQ(inner[0]["column"], 3);
  EXPECT_EQ(inner[1]["line"], 10);
  bool sawSum = false;
  for (const json& variable : (*responseTo(messages, 9))["body"]["variables"]) {
    if (variable["name"] == "S") sawSum = variable["value"] == "6" && variable["type"] == "число";
  }
  EXPECT_TRUE(sawSum);
  EXPECT_EQ((*responseTo(messages, 10))["success"], false);

  // The events in order: two stops, what the program printed, its end.
  std::vector<std::string> events;
  for (const json& message : messages) {
    if (message["type"] != "event") continue;
    std::string shown = message["event"];
    if (message["event"] == "stopped") shown += ":" + message["body"]["reason"].get<std::string>();
    if (message["event"] == "output") shown += ":" + message["body"]["output"].get<std::string>();
    if (message["event"] == "exited") shown += ":" + std::to_string(message["body"]["exitCode"].get<int>());
    events.push_back(shown);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"initialized", "stopped:breakpoint", "stopped:breakpoint",
                                              "output:total: 6\n", "exited:0", "terminated"}));
  // Every message has its own sequence number, in order.
  for (std::size_t i = 0; i < messages.size(); ++i) EXPECT_EQ(messages[i]["seq"], i + 1);
}

TEST_F(DapSession, MalformedInputIsAnsweredAndTheSessionGoesOn) {
  std::string input = "Content-Length: 5\r\n\r\n{bad}";
  input += "no header at all\r\n\r\n";
  input += framed({{"type", "request"}, {"command", "threads"}});  // no seq
  input += framed({{"seq", 4}, {"type", "request"}, {"command", "evaluate"}, {"arguments", "x"}});
  input += requests({{"setBreakpoints", {{"source", {{"path", 7}}}}},
                     {"setBreakpoints", {{"source", {{"path", "/x.prg"}}}, {"breakpoints", {{{"line", 1e300}}}}}},
                     {"launch", {{"program", write("missing.prg", "") + ".not"}}},
                     {"noSuchCommand", json::object()},
                     {"next", {{"threadId", 1}}},
                     {"initialize", json::object()}});
  input += framed({{"seq", 99}, {"type", "response"}, {"command", "runInTerminal"}, {"success", true}});
  const std::vector<json> messages = serve({input}, true);

  // Some are answered by the reading thread, some by the adapter's own: in any order.
  std::string failures;
  int count = 0;
  for (const json& message : messages) {
    if (message["type"] != "response" || message["success"] != false) continue;
    failures += message["command"].get<std::string>() + " " + message["message"].get<std::string>() + "\n";
    ++count;
  }
  EXPECT_EQ(count, 9) << failures;
  for (const char* expected : {" message is not JSON\n", " header line without a colon\n", "threads request has no seq\n",
                               "evaluate arguments must be an object\n",
                               "setBreakpoints invalid arguments: path must be a string\n",
                               "setBreakpoints invalid arguments: a whole number", "launch cannot open the program",
                               "noSuchCommand unknown request: noSuchCommand\n", "next the program is not stopped\n"})
    EXPECT_NE(failures.find(expected), std::string::npos) << expected << " in\n" << failures;
  // After all that, a good request is still served.
  EXPECT_EQ(messages.back()["event"], "initialized");
}

TEST(DapOutput, LinesGoWholeAndLongRunsAreCutBetweenCharacters) {
  std::vector<std::string> delivered;
  {
    localDapOutput::capture capture([&](const std::string& text) { delivered.push_back(text); });
    std::ostream stream(&capture);
    stream << "one\ntw";
    stream << "o\nthree";
    EXPECT_EQ(delivered, (std::vector<std::string>{"one\n", "two\n"}));
    stream.flush();
    EXPECT_EQ(delivered.back(), "three");
    delivered.clear();
    std::string russian;
    for (int i = 0; i < 3000; ++i) russian += "ж";  // two bytes each, no line end
    stream << "a" << russian;
  }
  ASSERT_GE(delivered.size(), 2u);
  std::string joined;
  for (const std::string& piece : delivered) {
    EXPECT_NE(static_cast<unsigned char>(piece[0]) & 0xC0, 0x80u) << "a piece starts inside a character";
    joined += piece;
  }
  EXPECT_EQ(joined.size(), 6001u);
}

}  // namespace
