#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>

// Messages framed the way the editor protocols (the language server protocol and the
// debug adapter protocol) frame them on a byte stream: header lines ending in "\r\n",
// among them "Content-Length: N", an empty line, then N bytes of content. The reader
// never trusts the stream: a header it cannot read or a length over its limit is
// reported as a malformed message and reading goes on with the next header block.
namespace localMessageFraming {

// The largest content a reader accepts; a longer message is skipped and reported.
constexpr std::size_t defaultContentLimit = std::size_t{64} << 20;
// The longest header line; a longer one makes its header block malformed.
constexpr std::size_t headerLineLimit = 8192;

struct message {
  enum class kind {
    content,    // `content` holds the message's bytes
    malformed,  // the header block or the length could not be used; `problem` says why
    endOfInput  // the stream ended (a message cut short by the end is dropped)
  };
  kind status = kind::endOfInput;
  std::string content;
  std::string problem;
};

class reader {
 public:
  explicit reader(std::istream& input, std::size_t contentLimit = defaultContentLimit)
      : input_(input), contentLimit_(contentLimit) {}
  // Blocks until one whole message, a malformed header block or the end of input.
  message next();

 private:
  // One header line without its line end; false at the end of input before any byte.
  bool headerLine(std::string& line, bool& tooLong);
  std::istream& input_;
  std::size_t contentLimit_;
};

// Writes one framed message and flushes the stream.
void write(std::ostream& output, const std::string& content);

}  // namespace localMessageFraming
