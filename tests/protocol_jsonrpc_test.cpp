// The framing of editor protocol messages and the JSON-RPC endpoint: well-formed
// messages in their variants, and every kind of broken input answered with an error
// while the next message is still served.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "protocol/localJsonRpc.h"
#include "protocol/localMessageFraming.h"

namespace {

using json = localJsonRpc::json;
using localMessageFraming::message;

std::string framed(const std::string& content) {
  return "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + content;
}

std::vector<message> readAll(const std::string& bytes, std::size_t limit = localMessageFraming::defaultContentLimit) {
  std::istringstream input(bytes);
  localMessageFraming::reader reader(input, limit);
  std::vector<message> found;
  for (message m = reader.next(); m.status != message::kind::endOfInput; m = reader.next()) found.push_back(m);
  return found;
}

// The messages an endpoint wrote, parsed.
std::vector<json> responses(const std::string& output) {
  std::vector<json> found;
  for (const message& m : readAll(output)) {
    EXPECT_EQ(m.status, message::kind::content) << m.problem;
    found.push_back(json::parse(m.content));
  }
  return found;
}

TEST(MessageFraming, ReadsHeadersInAnyCaseWithOtherHeadersAndBareLineFeeds) {
  const std::vector<message> found = readAll(
      framed("{\"a\":1}") + "content-length:  3\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\nabc" +
      "Content-Length: 2\n\nxy");
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].content, "{\"a\":1}");
  EXPECT_EQ(found[1].content, "abc");
  EXPECT_EQ(found[2].content, "xy");
}

TEST(MessageFraming, BrokenHeadersAreReportedAndReadingGoesOn) {
  const std::vector<message> found =
      readAll("Content-Type: x\r\n\r\n" + std::string("Content-Length: -5\r\n\r\n") + "Content-Length: 99999999999999999999\r\n\r\n" +
              "garbage line\r\n\r\n" + "Content-Length: " + std::string(10000, '1') + "\r\n\r\n" + framed("ok"));
  ASSERT_EQ(found.size(), 6u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(found[i].status, message::kind::malformed) << i;
  EXPECT_EQ(found[0].problem, "no Content-Length header");
  EXPECT_EQ(found[4].problem, "header line longer than 8192 bytes");
  EXPECT_EQ(found[5].content, "ok");
}

TEST(MessageFraming, AMessageOverTheLimitIsSkippedWholeAndOneCutShortIsDropped) {
  const std::vector<message> found = readAll(framed(std::string(100, 'x')) + framed("ok") + "Content-Length: 10\r\n\r\nabc", 50);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].status, message::kind::malformed);
  EXPECT_EQ(found[1].content, "ok");
}

TEST(JsonRpcEndpoint, AnswersEveryFaultWithAnErrorAndGoesOn) {
  std::istringstream input(
      framed("{not json") + framed(std::string(300, '[') + std::string(300, ']')) + framed("[1,2]") +
      framed(R"({"jsonrpc":"2.0","id":1,"method":"nosuch"})") + framed(R"({"jsonrpc":"2.0","method":"nosuch"})") +
      framed(R"({"jsonrpc":"2.0","id":"two","method":"echo","params":{"x":"\u00ff"}})") +
      framed(R"({"jsonrpc":"2.0","id":3,"method":"echo","params":{}})") +
      framed(R"({"jsonrpc":"2.0","id":4,"method":"echo","params":5})") + framed(R"({"jsonrpc":"1.0","id":5,"method":"echo"})") +
      framed(R"({"jsonrpc":"2.0","id":6,"method":"fail"})") + "Content-Length: x\r\n\r\n");
  std::ostringstream output;
  localJsonRpc::endpoint rpc(input, output);
  rpc.onRequest("echo", [](const json& params) { return params.at("x"); });
  rpc.onRequest("fail", [](const json&) -> json { throw localJsonRpc::error(localJsonRpc::requestFailed, "no"); });
  rpc.serve();
  const std::vector<json> answers = responses(output.str());
  const std::vector<std::pair<json, int>> expected = {
      {nullptr, -32700}, {nullptr, -32700}, {nullptr, -32600}, {1, -32601}, {"two", 0},
      {3, -32602},       {4, -32602},       {5, -32600},       {6, -32803}, {nullptr, -32600}};
  ASSERT_EQ(answers.size(), expected.size()) << output.str();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(answers[i]["id"], expected[i].first) << i;
    if (expected[i].second == 0) {
      EXPECT_EQ(answers[i]["result"], "\u00ff");
    } else {
      EXPECT_EQ(answers[i]["error"]["code"], expected[i].second) << answers[i].dump();
    }
  }
}

}  // namespace
