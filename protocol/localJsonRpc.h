#pragma once
#include <functional>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "protocol/localMessageFraming.h"

// JSON-RPC 2.0 over framed messages: one endpoint reads requests and notifications,
// hands them to the handlers registered by method name, and writes the responses. Any
// fault of the input (bytes that are no JSON, a message that is no request, an unknown
// method, parameters a handler cannot use, a message over the size limit) is answered
// with an error response and the endpoint goes on with the next message; only the end
// of the input or a handler that asks to stop ends serve().
namespace localJsonRpc {

using json = nlohmann::json;

// Error codes of JSON-RPC and of the language server protocol.
enum errorCode : int {
  parseError = -32700,
  invalidRequest = -32600,
  methodNotFound = -32601,
  invalidParams = -32602,
  internalError = -32603,
  serverNotInitialized = -32002,
  requestFailed = -32803,
};

// Thrown by a handler to answer its request with this error.
class error : public std::runtime_error {
 public:
  error(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// The deepest nesting of arrays and objects a message may have: deeper input is refused
// before it is parsed, so that no recursion over it can exhaust the stack.
constexpr int nestingLimit = 256;

// Parses a message's bytes; throws error(parseError) when they are no JSON or nest too deep.
json parse(const std::string& content);

class endpoint {
 public:
  using requestHandler = std::function<json(const json& params)>;
  using notificationHandler = std::function<void(const json& params)>;
  // Asked before every request and notification: an error it throws answers a request
  // (a notification is dropped), for example before a session is initialised.
  using gate = std::function<void(const std::string& method, bool isRequest)>;

  endpoint(std::istream& input, std::ostream& output,
           std::size_t contentLimit = localMessageFraming::defaultContentLimit)
      : reader_(input, contentLimit), output_(output) {}

  void onRequest(const std::string& method, requestHandler handler) { requests_[method] = std::move(handler); }
  void onNotification(const std::string& method, notificationHandler handler) {
    notifications_[method] = std::move(handler);
  }
  void setGate(gate check) { gate_ = std::move(check); }

  // Sends a notification to the other side.
  void notify(const std::string& method, const json& params);

  // Reads and answers messages until the input ends or stop() is called.
  void serve();
  // Answers one message; false when the input has ended.
  bool serveOne();
  void stop() { stopped_ = true; }
  bool stopped() const { return stopped_; }

 private:
  void handle(const std::string& content);
  void dispatch(const json& message);
  void respond(const json& id, const json& result);
  void respondError(const json& id, int code, const std::string& message);
  void send(const json& message);

  localMessageFraming::reader reader_;
  std::ostream& output_;
  std::map<std::string, requestHandler> requests_;
  std::map<std::string, notificationHandler> notifications_;
  gate gate_;
  bool stopped_ = false;
};

}  // namespace localJsonRpc
