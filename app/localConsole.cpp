#include "app/localConsole.h"

#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "app/localConsoleBlock.h"
#include "app/localDebugConsole.h"
#include "check/localIgnoredText.h"
#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localInterrupt.h"
#include "interp/localInterpretatorUTF8.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace {

const std::string prompt = "localInterpretatorUTF8::console # ";

// Size of the line buffer: the longest line read whole is one byte shorter.
constexpr std::streamsize lineBufferSize = 0xFFFC;
// How much of an over-long line is thrown away before reading goes on.
constexpr std::streamsize discardLimit = 0x7FFF;

// Trailing blanks and zero bytes are not part of a console line; tabs are.
void cutTrailingBlanks(std::string& bytes) {
  const std::size_t end = bytes.find_last_not_of(std::string(" \0", 2));
  bytes.erase(end == std::string::npos ? 0 : end + 1);
}

void printFailure(localReturnStateType state) {
  localDiagnostics() << "Error " << localString::wstringToStdStringMultibyte(localString::returnStateAsString(state))
            << "\n";
}

}  // namespace

localConsoleInput::result localStreamInput::readLine(const std::string& promptText, std::string& bytes) {
  std::cout << promptText;
  std::cout.flush();
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(lineBufferSize));
  in_.getline(buffer_.get(), lineBufferSize);
  if (in_.fail()) {
    // Either nothing was left to read, or the line did not fit the buffer.
    const bool endOfInput = in_.eof() && in_.gcount() == 0;
    in_.clear();
    if (endOfInput) return result::endOfInput;
    in_.ignore(discardLimit, '\n');
    return result::skipped;
  }
  // A last line without a line feed sets eof but is a line all the same; the next
  // read then reports the end. Only the part getline filled is taken: the line and, when
  // a line feed ended it, the zero byte written in its place, which the loop cuts.
  bytes.assign(buffer_.get(), static_cast<std::size_t>(in_.gcount()));
  return result::line;
}

void localStreamInput::inputEnded() {
  if (terminal_) std::cout << "\n";
}

std::string localStreamInput::continuationPrompt() const { return terminal_ ? localContinuationPrompt : ""; }

const char* const localContinuationPrompt = "... ";

localLineOutcome localConsoleRunGuarded(const std::function<bool(localReturnStateType&)>& work,
                                        bool reportFailure) {
  localReturnStateType state = localErrorTypeOK;
  localLineOutcome outcome;
  // Where an earlier line failed is of no interest to this one.
  localFailurePlace::reset();
  localInterruptLineStarts();
  try {
    outcome.succeeded = work(state);
  } catch (const std::exception&) {
    // Running out of memory on a huge text must not end the session.
    state = localErrorTypeCODE;
    outcome.succeeded = false;
  }
  if (!outcome.succeeded) {
    outcome.state = state;
    outcome.interrupted = localInterruptState::requested.load();
    if (reportFailure) printFailure(state);
  }
  localInterruptLineEnds();
  if (state == localErrorTypeQUIT) {
    std::cout << "Good bye!\n";
    outcome.quit = true;
  }
  return outcome;
}

localLineOutcome localConsoleRunLine(localContextUTF8& context, const std::wstring& line, bool reportFailure) {
  unsigned position = 0;
  const localLineOutcome outcome = localConsoleRunGuarded(
      [&](localReturnStateType& state) {
        return localInterpretatorUTF8::scanStringGetOperatorAndExec(state, line, position, &context, false);
      },
      reportFailure);
  if (outcome.succeeded) {
    const std::wstring ignored = localIgnoredText(line, position);
    if (!ignored.empty())
      localWarning("ignored after the statement: " + localString::wstringToStdStringMultibyte(ignored));
  }
  return outcome;
}

localLineOutcome localConsoleRunBlock(localContextUTF8& context, const std::wstring& lines, bool reportFailure) {
  const std::wstring program = localConsoleBlock::programText(lines);
  return localConsoleRunGuarded(
      [&](localReturnStateType& state) { return localInterpretatorUTF8::textExec(state, program, &context); },
      reportFailure);
}

bool localConsoleDecodeLine(localConsoleEncoding encoding, const std::string& bytes, std::wstring& line) {
  if (encoding == localConsoleEncoding::cp866) {
    line = localString::stdStringCp866StdStringToStdWstring(bytes);
    return true;
  }
  std::size_t badOffset = 0;
  if (localString::utf8ToWstring(bytes, line, badOffset)) return true;
  localDiagnostics() << "Error Строка не в кодировке UTF-8 (байт " << localString::byteAsHex(bytes[badOffset])
                     << " на позиции " << badOffset + 1
            << "), она не выполнена.\n";
  return false;
}

namespace {

// What reading one console line gave: a decoded line, nothing to run (a line that is not
// in the encoding, reported and marking the session failed, or another input event),
// Ctrl-C, or the end of input.
enum class lineRead { line, nothing, interrupted, ended };

lineRead readDecodedLine(localConsoleInput& input, const std::string& prompt, localConsoleEncoding encoding,
                         std::wstring& line, bool& failed) {
  std::string bytes;
  const localConsoleInput::result read = input.readLine(prompt, bytes);
  if (read == localConsoleInput::result::endOfInput) return lineRead::ended;
  if (read == localConsoleInput::result::interrupted) return lineRead::interrupted;
  if (read != localConsoleInput::result::line) return lineRead::nothing;
  cutTrailingBlanks(bytes);
  if (localConsoleDecodeLine(encoding, bytes, line)) return lineRead::line;
  failed = true;
  return lineRead::nothing;
}

// Reads the further lines of a block whose first line is in `lines`, under the
// continuation prompt, until the block closes. False when Ctrl-C dropped them; `ended`
// tells that the input ended first (what was collected then runs, and fails to compile).
bool collectBlock(localConsoleInput& input, localConsoleEncoding encoding, std::wstring& lines, bool& ended,
                  bool& failed) {
  int depth = localConsoleBlock::depthChange(lines);
  const std::string continuation = input.continuationPrompt();
  while (depth > 0) {
    std::wstring line;
    const lineRead read = readDecodedLine(input, continuation, encoding, line, failed);
    if (read == lineRead::ended) {
      ended = true;
      return true;
    }
    if (read == lineRead::interrupted) return false;
    if (read != lineRead::line) continue;
    lines += L'\n';
    lines += line;
    depth += localConsoleBlock::depthChange(line);
  }
  return true;
}

}  // namespace

bool localConsoleLoop(localContextUTF8& context, localConsoleInput& input, localConsoleEncoding encoding) {
  bool failed = false;
  bool ended = false;
  while (!ended) {
    std::wstring line;
    const lineRead read = readDecodedLine(input, prompt, encoding, line, failed);
    if (read == lineRead::ended) {
      ended = true;
      break;
    }
    if (read != lineRead::line) continue;
    localLineOutcome outcome;
    if (localDebugConsole::isDebugLine(line)) {
      outcome = localDebugConsole::runLine(context, input, encoding, line);
    } else if (localConsoleBlock::opensBlock(line)) {
      if (!collectBlock(input, encoding, line, ended, failed)) continue;
      outcome = localConsoleRunBlock(context, line);
    } else {
      outcome = localConsoleRunLine(context, line);
    }
    if (!outcome.succeeded) failed = true;
    if (outcome.quit) break;
  }
  if (ended) input.inputEnded();
  std::cout.flush();
  return failed;
}

void localInterpretatorUTF8::console() {
  // The one context of the run: variables, functions and classes live from line to line.
  auto context = std::make_unique<localContextUTF8>();
  localInterruptInstall();
  localStreamInput input(std::cin);
  localConsoleLoop(*context, input, localConsoleEncoding::cp866);
}
