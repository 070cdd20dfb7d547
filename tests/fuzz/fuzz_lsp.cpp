// The language server's input stream: framed messages (well-formed or not) after an
// initialize request, served to the end. Whatever comes in, the server must not crash,
// hang or leak, and everything it writes must be framed JSON messages.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "lsp/localLspServer.h"
#include "protocol/localJsonRpc.h"
#include "protocol/localMessageFraming.h"

namespace {

const std::string initialize = [] {
  const std::string content = R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})";
  return "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + content;
}();

void require(bool condition, const char* property) {
  if (condition) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(initialize + std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream output;
  localLspServer::serve(input, output);
  std::istringstream written(output.str());
  localMessageFraming::reader reader(written);
  for (auto m = reader.next(); m.status != localMessageFraming::message::kind::endOfInput; m = reader.next()) {
    require(m.status == localMessageFraming::message::kind::content, "the server writes framed messages");
    require(localJsonRpc::json::accept(m.content), "the server writes JSON");
  }
  return 0;
}
