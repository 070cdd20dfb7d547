#include "protocol/localJsonRpc.h"

#include <algorithm>
#include <ostream>

namespace localJsonRpc {

namespace {

// The deepest nesting of brackets outside strings, counted without parsing.
int nestingOf(const std::string& content) {
  int depth = 0;
  int deepest = 0;
  bool inString = false;
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

bool validId(const json& id) { return id.is_number_integer() || id.is_string() || id.is_null(); }

}  // namespace

json parse(const std::string& content) {
  if (nestingOf(content) > nestingLimit)
    throw error(parseError, "message nests deeper than " + std::to_string(nestingLimit) + " levels");
  json message = json::parse(content, nullptr, false);
  if (message.is_discarded()) throw error(parseError, "message is not JSON");
  return message;
}

void endpoint::send(const json& message) {
  // Text from the other side that is not UTF-8 is replaced, never a reason to fail.
  localMessageFraming::write(output_, message.dump(-1, ' ', false, json::error_handler_t::replace));
}

void endpoint::respond(const json& id, const json& result) {
  send(json{{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
}

void endpoint::respondError(const json& id, int code, const std::string& message) {
  send(json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void endpoint::notify(const std::string& method, const json& params) {
  send(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
}

void endpoint::serve() {
  while (!stopped_ && serveOne()) {
  }
}

bool endpoint::serveOne() {
  localMessageFraming::message message = reader_.next();
  switch (message.status) {
    case localMessageFraming::message::kind::endOfInput:
      return false;
    case localMessageFraming::message::kind::malformed:
      respondError(nullptr, invalidRequest, message.problem);
      return true;
    case localMessageFraming::message::kind::content:
      handle(message.content);
      return true;
  }
  return true;
}

void endpoint::handle(const std::string& content) {
  json message;
  try {
    message = parse(content);
  } catch (const error& failure) {
    respondError(nullptr, failure.code(), failure.what());
    return;
  }
  dispatch(message);
}

void endpoint::dispatch(const json& message) {
  if (!message.is_object()) {
    respondError(nullptr, invalidRequest, message.is_array() ? "batches are not supported" : "message is no object");
    return;
  }
  const auto idField = message.find("id");
  const bool hasId = idField != message.end();
  const json id = hasId && validId(*idField) ? *idField : json(nullptr);
  const auto methodField = message.find("method");
  if (methodField == message.end()) {
    // A response to a request of ours (none are sent that await one), or garbage.
    if (message.contains("result") || message.contains("error")) return;
    respondError(id, invalidRequest, "message has no method");
    return;
  }
  const auto version = message.find("jsonrpc");
  if (version == message.end() || *version != "2.0") {
    if (hasId) respondError(id, invalidRequest, "jsonrpc must be \"2.0\"");
    return;
  }
  if (!methodField->is_string() || (hasId && !validId(*idField))) {
    respondError(id, invalidRequest, "method must be a string and id a number or a string");
    return;
  }
  const std::string method = *methodField;
  const auto paramsField = message.find("params");
  // Absent or null parameters are none at all.
  const json params = paramsField == message.end() || paramsField->is_null() ? json::object() : *paramsField;

  try {
    if (params.is_primitive()) throw error(invalidParams, "params must be an object or an array");
    if (gate_) gate_(method, hasId);
    if (hasId) {
      const auto handler = requests_.find(method);
      if (handler == requests_.end()) throw error(methodNotFound, "unknown method: " + method);
      respond(id, handler->second(params));
    } else {
      const auto handler = notifications_.find(method);
      if (handler != notifications_.end()) handler->second(params);
      // Unknown notifications are dropped, as the protocols ask.
    }
  } catch (const error& failure) {
    if (hasId) respondError(id, failure.code(), failure.what());
  } catch (const json::exception& failure) {
    // A parameter of the wrong type or a field that is missing.
    if (hasId) respondError(id, invalidParams, std::string("invalid params: ") + failure.what());
  } catch (const std::exception& failure) {
    if (hasId) respondError(id, internalError, failure.what());
  }
}

}  // namespace localJsonRpc
