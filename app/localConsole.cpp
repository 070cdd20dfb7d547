#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

namespace {

// Size of the line buffer: the longest line read whole is one byte shorter.
constexpr std::streamsize lineBufferSize = 0xFFFC;
// How much of an over-long line is thrown away before reading goes on.
constexpr std::streamsize discardLimit = 0x7FFF;

enum class lineReadResult { line, skipped, endOfInput };

// Reads one console line into `line`, without its line feed and without trailing
// blanks and zero bytes.
lineReadResult readConsoleLine(std::istream& in, std::string& line) {
  std::string buffer(static_cast<std::size_t>(lineBufferSize), '\0');
  in.getline(buffer.data(), lineBufferSize);
  if (in.fail()) {
    // Either nothing was left to read, or the line did not fit the buffer.
    const bool endOfInput = in.eof() && in.gcount() == 0;
    in.clear();
    if (endOfInput) return lineReadResult::endOfInput;
    in.ignore(discardLimit, '\n');
    return lineReadResult::skipped;
  }
  // A last line without a line feed sets eof but is a line all the same; the next
  // read then reports the end.
  // Only the part getline filled can hold the line: searching the whole buffer backwards
  // would cost a pass over 64 KiB per line.
  const std::size_t end = buffer.find_last_not_of(std::string(" \0", 2), static_cast<std::size_t>(in.gcount()));
  line = end == std::string::npos ? std::string() : buffer.substr(0, end + 1);
  return lineReadResult::line;
}

void printFailure(localReturnStateType state) {
  std::cout << "Error "
            << localString::wstringToStdStringMultibyte(localString::returnStateAsString(state)) << "\n";
}

}  // namespace

void localInterpretatorUTF8::console() {
  // The one context of the run: variables, functions and classes live from line to line.
  auto context = std::make_unique<localContextUTF8>();
  localInterruptInstall();
  for (;;) {
    std::cout << "localInterpretatorUTF8::console # ";
    std::cout.flush();

    std::string bytes;
    const lineReadResult read = readConsoleLine(std::cin, bytes);
    if (read == lineReadResult::endOfInput) break;
    if (read == lineReadResult::skipped) continue;

    const std::wstring line = localString::stdStringCp866StdStringToStdWstring(bytes);
    localReturnStateType state = localErrorTypeOK;
    unsigned position = 0;
    localInterruptLineStarts();
    try {
      if (!scanStringGetOperatorAndExec(state, line, position, context.get(), false)) printFailure(state);
    } catch (const std::exception&) {
      // Running out of memory on a huge text must not end the session.
      printFailure(localErrorTypeCODE);
      state = localErrorTypeCODE;
    }
    localInterruptLineEnds();
    if (state == localErrorTypeQUIT) {
      std::cout << "Good bye!\n";
      break;
    }
  }
  std::cout.flush();
}
