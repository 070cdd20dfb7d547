// The debug adapter's input stream: framed messages (well-formed or not) after a session
// has been opened on a small program that stops before its first statement, served to
// the end. Whatever comes in, the adapter must not crash, hang or leak, and everything it
// writes must be framed JSON messages.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localKeepAlive.h"
#include "dap/localDapServer.h"
#include "protocol/localJsonRpc.h"
#include "protocol/localMessageFraming.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const char program[] =
    "PROCEDURE Show()\n"
    "  ? 'total: ' + STRING(s);\n"
    "ENDPROCEDURE;\n"
    "loaded = CLASSLOAD('VALUETABLE');\n"
    "t = CREATEOBJECT('VALUETABLE');\n"
    "c = t.NEWCOLUMN('city');\n"
    "r = t.NEWLINE();\n"
    "r = t.SETVALUE(1, 'city', 'Omsk');\n"
    "s = 0;\n"
    "FOR i = 1 TO 3 DO\n"
    "  s = s + i;\n"
    "ENDDO;\n"
    "Show();\n";

std::string framed(const std::string& content) {
  return "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + content;
}

const std::string opening =
    framed(R"({"seq":1,"type":"request","command":"initialize","arguments":{"adapterID":"fuzz"}})") +
    framed(R"({"seq":2,"type":"request","command":"launch","arguments":{"program":"debugged.prg","stopOnEntry":true}})") +
    framed(R"({"seq":3,"type":"request","command":"configurationDone"})");

void require(bool condition, const char* property) {
  if (condition) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzSupport::initialize(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzSupport::writeScratchFile("debugged.prg", reinterpret_cast<const std::uint8_t*>(program),
                                std::strlen(program));
  const std::size_t keptAlive = localKeepAliveCount();
  std::ostringstream output;
  {
    std::istringstream input(opening + std::string(reinterpret_cast<const char*>(data), size));
    localContextUTF8 context;
    // The launched file is always the program above, whatever a request names.
    localDapServer::serve(input, output, context,
                          [](const std::wstring&, const localDapServer::debugRun& run) {
                            localReturnStateType state = localErrorTypeOK;
                            return run(state, L"debugged.prg") ? 0 : 1;
                          });
  }
  localKeepAliveReleaseAfter(keptAlive);
  std::istringstream written(output.str());
  localMessageFraming::reader reader(written);
  for (auto m = reader.next(); m.status != localMessageFraming::message::kind::endOfInput; m = reader.next()) {
    require(m.status == localMessageFraming::message::kind::content, "the adapter writes framed messages");
    require(localJsonRpc::json::accept(m.content), "the adapter writes JSON");
  }
  return 0;
}
