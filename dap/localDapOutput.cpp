#include "dap/localDapOutput.h"

#include <ostream>

namespace localDapOutput {

namespace {
// A program that prints without line ends is still seen before it ends.
constexpr std::size_t flushSize = 4096;
}  // namespace

capture::int_type capture::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_.push_back(traits_type::to_char_type(c));
  if (c == '\n' || pending_.size() >= flushSize) deliverLines();
  return c;
}

std::streamsize capture::xsputn(const char* bytes, std::streamsize count) {
  pending_.append(bytes, static_cast<std::size_t>(count));
  if (pending_.find('\n') != std::string::npos || pending_.size() >= flushSize) deliverLines();
  return count;
}

void capture::deliverLines() {
  std::size_t end = pending_.rfind('\n') + 1;  // 0 when there is no line end
  if (end == 0 && pending_.size() >= flushSize) {
    // A long run without line ends is cut, but never inside a UTF-8 character.
    end = pending_.size();
    for (int back = 0; back < 3 && end > 1 && (static_cast<unsigned char>(pending_[end - 1]) & 0xC0) == 0x80; ++back)
      --end;
    if ((static_cast<unsigned char>(pending_[end - 1]) & 0xC0) == 0xC0) --end;
  }
  if (end == 0) return;
  const std::string text = pending_.substr(0, end);
  pending_.erase(0, end);
  deliver_(text);
}

int capture::sync() {
  if (pending_.empty()) return 0;
  std::string text;
  text.swap(pending_);
  deliver_(text);
  return 0;
}

redirect::redirect(std::ostream& stream, capture& target) : stream_(stream), previous_(stream.rdbuf(&target)) {}

redirect::~redirect() {
  stream_.flush();
  stream_.rdbuf(previous_);
}

}  // namespace localDapOutput
