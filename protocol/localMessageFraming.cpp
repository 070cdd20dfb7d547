#include "protocol/localMessageFraming.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

namespace localMessageFraming {

namespace {

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A decimal length without sign or blanks inside; false on anything else or on overflow.
bool parseLength(const std::string& text, std::size_t& length) {
  if (text.empty() || text.size() > 18) return false;
  length = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    length = length * 10 + static_cast<std::size_t>(c - '0');
  }
  return true;
}

}  // namespace

bool reader::headerLine(std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  bool any = false;
  for (;;) {
    const int c = input_.get();
    if (c == std::char_traits<char>::eof()) return any;
    any = true;
    if (c == '\n') break;
    if (line.size() < headerLineLimit) {
      line.push_back(static_cast<char>(c));
    } else {
      tooLong = true;  // the rest of the line is dropped
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

message reader::next() {
  message result;
  std::string line;
  bool tooLong = false;
  // Blank lines between messages are tolerated: a block starts at its first header.
  do {
    if (!headerLine(line, tooLong)) return result;
  } while (line.empty() && !tooLong);

  bool haveLength = false;
  std::size_t length = 0;
  std::string problem;
  for (;;) {
    if (tooLong) {
      problem = "header line longer than " + std::to_string(headerLineLimit) + " bytes";
    } else {
      const std::size_t colon = line.find(':');
      if (colon == std::string::npos) {
        if (problem.empty()) problem = "header line without a colon";
      } else if (lowerCase(trimmed(line.substr(0, colon))) == "content-length") {
        std::size_t value = 0;
        if (!parseLength(trimmed(line.substr(colon + 1)), value)) {
          if (problem.empty()) problem = "Content-Length is not a length";
        } else if (haveLength && value != length) {
          if (problem.empty()) problem = "two different Content-Length headers";
        } else {
          haveLength = true;
          length = value;
        }
      }
      // Other headers (Content-Type) carry nothing this reader needs.
    }
    if (!headerLine(line, tooLong)) return result;  // the end inside a header block
    if (line.empty() && !tooLong) break;
  }

  if (problem.empty() && !haveLength) problem = "no Content-Length header";
  if (!problem.empty()) {
    result.status = message::kind::malformed;
    result.problem = problem;
    return result;
  }
  if (length > contentLimit_) {
    // Skipped unread, so that the stream stays in step with the sender.
    input_.ignore(static_cast<std::streamsize>(length));
    if (static_cast<std::size_t>(input_.gcount()) < length) return result;
    result.status = message::kind::malformed;
    result.problem = "message of " + std::to_string(length) + " bytes is over the limit of " +
                     std::to_string(contentLimit_) + " bytes";
    return result;
  }
  result.content.resize(length);
  input_.read(result.content.data(), static_cast<std::streamsize>(length));
  if (static_cast<std::size_t>(input_.gcount()) < length) {
    result.content.clear();
    return result;
  }
  result.status = message::kind::content;
  return result;
}

void write(std::ostream& output, const std::string& content) {
  output << "Content-Length: " << content.size() << "\r\n\r\n";
  output.write(content.data(), static_cast<std::streamsize>(content.size()));
  output.flush();
}

}  // namespace localMessageFraming
