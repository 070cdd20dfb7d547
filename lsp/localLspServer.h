#pragma once
#include <cstddef>
#include <iosfwd>

// `localinterp --lsp`: a language server for program files on these two streams
// (framed JSON-RPC, protocol/). It keeps the documents an editor opens, publishes their
// problems on every change, and answers completion, hover, signature help, definition
// and document symbols. Nothing but protocol messages is written to `output`.
namespace localLspServer {

// The largest document that is analysed, in characters; a larger one gets a diagnostic
// saying so, and requests about it get an error response.
constexpr std::size_t documentLimit = std::size_t{4} << 20;

// Serves until the `exit` notification or the end of input. Returns the exit status:
// 0 when `shutdown` came before, 1 otherwise.
int serve(std::istream& input, std::ostream& output, std::size_t largestDocument = documentLimit);

}  // namespace localLspServer
