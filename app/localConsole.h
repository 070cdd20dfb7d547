#pragma once
#include <functional>
#include <istream>
#include <memory>
#include <string>

#include "app/localConsoleEncoding.h"
#include "core/localReturnStateType.h"

class localContextUTF8;

// Where the console's lines come from: the standard input stream, or a line editor
// on a terminal.
class localConsoleInput {
 public:
  enum class result { line, skipped, interrupted, endOfInput };
  virtual ~localConsoleInput() = default;
  // Shows the prompt and reads one line: bytes in the console's encoding, without the
  // line end.
  virtual result readLine(const std::string& prompt, std::string& bytes) = 0;
  // Called once when the input has ended.
  virtual void inputEnded() {}
  // The prompt for the further lines of a block: none when nobody watches (piped input).
  virtual std::string continuationPrompt() const { return std::string(); }
};

// Lines from a stream, with the console's fixed line buffer: a line of 65532 bytes or
// more is skipped, and at most 32767 bytes more of it are thrown away.
// On a terminal the end of the input (Ctrl-D) is followed by a line end, so that the
// shell's prompt does not share the line with the console's.
class localStreamInput : public localConsoleInput {
 public:
  explicit localStreamInput(std::istream& in, bool terminal = false) : in_(in), terminal_(terminal) {}
  result readLine(const std::string& prompt, std::string& bytes) override;
  void inputEnded() override;
  std::string continuationPrompt() const override;

 private:
  std::istream& in_;
  bool terminal_;
  // Made on the first read and kept for the next ones; getline fills it, so it is never cleared.
  std::unique_ptr<char[]> buffer_;
};

struct localLineOutcome {
  bool succeeded = false;
  bool quit = false;
  localReturnStateType state = localErrorTypeOK;  // what a failure left
  bool interrupted = false;                       // Ctrl-C stopped it
};

// Runs one piece of console work as a console line runs: Ctrl-C stops it, a failure
// prints "Error " and the state's message (unless `reportFailure` is false: FILE and
// -c runs report it their own way), the quit state prints "Good bye!".
localLineOutcome localConsoleRunGuarded(const std::function<bool(localReturnStateType&)>& work,
                                        bool reportFailure = true);

// Runs one console line in the context. A `?`, assignment or call that ends before the
// line does gets a warning on standard error naming what was ignored.
localLineOutcome localConsoleRunLine(localContextUTF8& context, const std::wstring& line, bool reportFailure = true);

// Runs the lines of a block collected at the prompt as DO runs a program text.
localLineOutcome localConsoleRunBlock(localContextUTF8& context, const std::wstring& lines,
                                      bool reportFailure = true);

// The prompt for the further lines of a block on a terminal.
extern const char* const localContinuationPrompt;

// The text of a line of console bytes. In UTF-8 mode bytes that are no UTF-8 are
// reported (and false returned) rather than turned into garbage.
bool localConsoleDecodeLine(localConsoleEncoding encoding, const std::string& bytes, std::wstring& line);

// The console loop: prompt, read, run, until QUIT or the end of the input. Returns
// whether any line failed.
bool localConsoleLoop(localContextUTF8& context, localConsoleInput& input, localConsoleEncoding encoding);
