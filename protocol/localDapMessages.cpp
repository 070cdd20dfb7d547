#include "protocol/localDapMessages.h"

#include <limits>

#include "protocol/localJsonRpc.h"
#include "protocol/localMessageFraming.h"

namespace localDapMessages {

reading readRequest(const std::string& content, request& out, std::string& problem) {
  out = request();
  json message;
  try {
    message = localJsonRpc::parse(content);
  } catch (const localJsonRpc::error& failure) {
    problem = failure.what();
    return reading::malformed;
  }
  if (!message.is_object()) {
    problem = "message is no object";
    return reading::malformed;
  }
  const auto seq = message.find("seq");
  if (seq != message.end() && seq->is_number_integer() &&
      (!seq->is_number_unsigned() || seq->get<std::uint64_t>() <= std::numeric_limits<std::int64_t>::max()))
    out.seq = seq->get<std::int64_t>();
  const auto command = message.find("command");
  if (command != message.end() && command->is_string()) out.command = command->get<std::string>();
  const auto type = message.find("type");
  if (type == message.end() || !type->is_string()) {
    problem = "message has no type";
    return reading::malformed;
  }
  if (*type == "response" || *type == "event") return reading::ignored;
  if (*type != "request") {
    problem = "unknown message type";
    return reading::malformed;
  }
  if (seq == message.end() || !seq->is_number_integer()) {
    problem = "request has no seq";
    return reading::malformed;
  }
  if (command == message.end() || !command->is_string()) {
    problem = "request has no command";
    return reading::malformed;
  }
  const auto arguments = message.find("arguments");
  if (arguments != message.end() && !arguments->is_null()) {
    if (!arguments->is_object()) {
      problem = "arguments must be an object";
      return reading::malformed;
    }
    out.arguments = *arguments;
  }
  return reading::request;
}

void channel::send(json message) {
  const std::lock_guard<std::mutex> hold(lock_);
  message["seq"] = seq_++;
  // Text that is not UTF-8 (a program's output, the client's own strings) is replaced,
  // never a reason to fail.
  localMessageFraming::write(output_, message.dump(-1, ' ', false, json::error_handler_t::replace));
}

void channel::respond(const request& answered, const json& body) {
  send({{"type", "response"},
        {"request_seq", answered.seq},
        {"success", true},
        {"command", answered.command},
        {"body", body}});
}

void channel::refuse(const request& answered, const std::string& message) {
  send({{"type", "response"},
        {"request_seq", answered.seq},
        {"success", false},
        {"command", answered.command},
        {"message", message},
        {"body", {{"error", {{"id", 1}, {"format", message}, {"showUser", true}}}}}});
}

void channel::event(const std::string& name, const json& body) {
  send({{"type", "event"}, {"event", name}, {"body", body}});
}

}  // namespace localDapMessages
