#pragma once
// What a debugged program prints, turned into the adapter's output events: standard
// output has to carry protocol messages only, so the streams the program writes to are
// pointed at buffers that hand their text on, whole lines at a time (and whatever is
// pending when the stream is flushed).
#include <functional>
#include <iosfwd>
#include <streambuf>
#include <string>

namespace localDapOutput {

class capture : public std::streambuf {
 public:
  using sink = std::function<void(const std::string& text)>;
  explicit capture(sink deliver) : deliver_(std::move(deliver)) {}
  ~capture() override { sync(); }
  capture(const capture&) = delete;
  capture& operator=(const capture&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

 private:
  void deliverLines();
  sink deliver_;
  std::string pending_;
};

// Points a stream at a capture for as long as it lives.
class redirect {
 public:
  redirect(std::ostream& stream, capture& target);
  ~redirect();
  redirect(const redirect&) = delete;
  redirect& operator=(const redirect&) = delete;

 private:
  std::ostream& stream_;
  std::streambuf* previous_;
};

}  // namespace localDapOutput
