#include "lsp/localLspServer.h"

#include <cmath>
#include <limits>
#include <map>

#include "lsp/localLspDocument.h"
#include "lsp/localLspFeatures.h"
#include "protocol/localJsonRpc.h"
#include "text/localUtf8.h"

#ifndef LOCALINTERP_VERSION
#define LOCALINTERP_VERSION "unknown"
#endif

namespace localLspServer {

namespace {

using json = localJsonRpc::json;
using localJsonRpc::error;

// A whole number from the other side; anything else is an invalid parameter (and never
// an out-of-range conversion).
long long integer(const json& value) {
  if (value.is_number_integer()) {
    if (value.is_number_unsigned() && value.get<unsigned long long>() > std::numeric_limits<long long>::max())
      throw error(localJsonRpc::invalidParams, "number out of range");
    return value.get<long long>();
  }
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 9.0e15)
      return static_cast<long long>(number);
  }
  throw error(localJsonRpc::invalidParams, "a whole number was expected");
}

std::size_t index(const json& value) {
  const long long number = integer(value);
  if (number < 0) throw error(localJsonRpc::invalidParams, "a position may not be negative");
  return static_cast<std::size_t>(number);
}

std::wstring wide(const std::string& utf8) {
  std::wstring text;
  std::size_t bad = 0;
  if (localString::utf8ToWstring(utf8, text, bad)) return text;
  return localString::utf8ToWstringLenient(utf8);
}

class session {
 public:
  session(std::istream& input, std::ostream& output, std::size_t largestDocument)
      : rpc_(input, output), largestDocument_(largestDocument) {
    rpc_.setGate([this](const std::string& method, bool isRequest) { admit(method, isRequest); });
    rpc_.onRequest("initialize", [this](const json&) { return initialize(); });
    rpc_.onNotification("initialized", [](const json&) {});
    rpc_.onRequest("shutdown", [this](const json&) {
      shutDown_ = true;
      return json(nullptr);
    });
    rpc_.onNotification("exit", [this](const json&) { rpc_.stop(); });
    rpc_.onNotification("textDocument/didOpen", [this](const json& p) { open(p); });
    rpc_.onNotification("textDocument/didChange", [this](const json& p) { change(p); });
    rpc_.onNotification("textDocument/didClose", [this](const json& p) { close(p); });
    rpc_.onRequest("textDocument/completion", [this](const json& p) {
      const auto [document, offset] = at(p);
      return localLspFeatures::completion(document, offset);
    });
    rpc_.onRequest("textDocument/hover", [this](const json& p) {
      const auto [document, offset] = at(p);
      return localLspFeatures::hover(document, offset);
    });
    rpc_.onRequest("textDocument/signatureHelp", [this](const json& p) {
      const auto [document, offset] = at(p);
      return localLspFeatures::signatureHelp(document, offset);
    });
    rpc_.onRequest("textDocument/definition", [this](const json& p) {
      const auto [document, offset] = at(p);
      return localLspFeatures::definition(document, offset, uriOf(p));
    });
    rpc_.onRequest("textDocument/documentSymbol",
                   [this](const json& p) { return localLspFeatures::documentSymbols(analysable(uriOf(p))); });
  }

  int run() {
    rpc_.serve();
    return shutDown_ && rpc_.stopped() ? 0 : 1;
  }

 private:
  // Before initialize only initialize is answered; after shutdown only exit is obeyed.
  void admit(const std::string& method, bool isRequest) {
    if (method == "exit") return;
    if (shutDown_) throw error(localJsonRpc::invalidRequest, "the server is shutting down");
    if (!initialized_ && method != "initialize") {
      if (isRequest) throw error(localJsonRpc::serverNotInitialized, "the server is not initialized");
      throw error(localJsonRpc::serverNotInitialized, "");  // a notification is dropped
    }
    if (initialized_ && method == "initialize") throw error(localJsonRpc::invalidRequest, "initialized already");
  }

  json initialize() {
    initialized_ = true;
    return {{"capabilities",
             {{"positionEncoding", "utf-16"},
              {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
              {"completionProvider", {{"triggerCharacters", {"."}}}},
              {"hoverProvider", true},
              {"signatureHelpProvider", {{"triggerCharacters", {"(", ","}}}},
              {"definitionProvider", true},
              {"documentSymbolProvider", true}}},
            {"serverInfo", {{"name", "localinterp"}, {"version", LOCALINTERP_VERSION}}}};
  }

  static std::string uriOf(const json& params) { return params.at("textDocument").at("uri").get<std::string>(); }

  localLspDocument& known(const std::string& uri) {
    const auto found = documents_.find(uri);
    if (found == documents_.end()) throw error(localJsonRpc::invalidParams, "unknown document: " + uri);
    return found->second;
  }

  const localLspDocument& analysable(const std::string& uri) {
    const localLspDocument& document = known(uri);
    if (document.text().size() > largestDocument_) throw error(localJsonRpc::requestFailed, tooLarge(document));
    return document;
  }

  std::pair<const localLspDocument&, std::size_t> at(const json& params) {
    const localLspDocument& document = analysable(uriOf(params));
    const json& position = params.at("position");
    return {document, document.offsetOf(index(position.at("line")), index(position.at("character")))};
  }

  std::string tooLarge(const localLspDocument& document) const {
    return "the document has " + std::to_string(document.text().size()) + " characters, more than the " +
           std::to_string(largestDocument_) + " that are analysed";
  }

  void publish(const std::string& uri) {
    const auto found = documents_.find(uri);
    json params = {{"uri", uri}, {"diagnostics", json::array()}};
    if (found != documents_.end()) {
      const localLspDocument& document = found->second;
      params["version"] = document.version();
      if (document.text().size() > largestDocument_) {
        params["diagnostics"].push_back({{"range", localLspFeatures::range(document, 0, 0)},
                                         {"severity", 2},
                                         {"source", "localinterp"},
                                         {"message", tooLarge(document)}});
      } else {
        params["diagnostics"] = localLspFeatures::diagnostics(document);
      }
    }
    rpc_.notify("textDocument/publishDiagnostics", params);
  }

  void open(const json& params) {
    const json& item = params.at("textDocument");
    const std::string uri = item.at("uri").get<std::string>();
    documents_.insert_or_assign(uri, localLspDocument(wide(item.at("text").get<std::string>()), integer(item.at("version"))));
    publish(uri);
  }

  void change(const json& params) {
    const std::string uri = uriOf(params);
    localLspDocument& document = known(uri);
    for (const json& edit : params.at("contentChanges")) {
      const std::wstring text = wide(edit.at("text").get<std::string>());
      if (!edit.contains("range")) {
        document.replaceAll(text);
        continue;
      }
      const json& range = edit.at("range");
      const std::size_t start = document.offsetOf(index(range.at("start").at("line")), index(range.at("start").at("character")));
      const std::size_t end = document.offsetOf(index(range.at("end").at("line")), index(range.at("end").at("character")));
      document.replace(start, end, text);
    }
    const auto version = params.at("textDocument").find("version");
    if (version != params.at("textDocument").end() && !version->is_null()) document.setVersion(integer(*version));
    publish(uri);
  }

  void close(const json& params) {
    const std::string uri = uriOf(params);
    documents_.erase(uri);
    publish(uri);  // an empty list clears what the editor shows
  }

  localJsonRpc::endpoint rpc_;
  std::map<std::string, localLspDocument> documents_;
  bool initialized_ = false;
  bool shutDown_ = false;
  std::size_t largestDocument_;
};

}  // namespace

int serve(std::istream& input, std::ostream& output, std::size_t largestDocument) {
  session server(input, output, largestDocument);
  return server.run();
}

}  // namespace localLspServer
