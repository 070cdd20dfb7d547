#pragma once
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

// The messages of the debug adapter protocol on top of the framing of protocol/: each is
// a JSON object with its own sequence number and a type (request, response or event);
// a response names the request it answers by request_seq and command. Unlike JSON-RPC
// every answer carries a success flag, and a failed request is still a response.
namespace localDapMessages {

using json = nlohmann::json;

struct request {
  std::int64_t seq = 0;
  std::string command;
  json arguments = json::object();
};

enum class reading {
  request,    // a request, in `out`
  ignored,    // a response or an event from the client: nothing to answer
  malformed,  // no usable request; `problem` says why, `out` holds what was readable of it
};

// Reads one message's content as a request. Never throws: bytes that are no JSON,
// nest too deep or lack a field are malformed, and as much of seq and command as could
// be read is kept so that the error response can name the request.
reading readRequest(const std::string& content, request& out, std::string& problem);

// Writes responses and events, from any thread, each with the next sequence number.
class channel {
 public:
  explicit channel(std::ostream& output) : output_(output) {}

  void respond(const request& answered, const json& body = json::object());
  // A failed request: success false and the message shown to the user.
  void refuse(const request& answered, const std::string& message);
  void event(const std::string& name, const json& body = json::object());

 private:
  void send(json message);

  std::ostream& output_;
  std::mutex lock_;
  std::int64_t seq_ = 1;
};

}  // namespace localDapMessages
