#include "app/localDebugConsole.h"

#include <iostream>

#include "debug/localDebugCommands.h"
#include "debug/localDebugger.h"
#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

namespace localDebugConsole {

const char* const prompt = "(отладка) ";

namespace {

void print(const std::wstring& text) {
  std::cout << localString::wstringToStdStringMultibyte(text);
  std::cout.flush();
}

// Prints each stop and reads commands until one lets the program go on. The end of the
// input ends the program, as quit does.
class consoleDriver final : public localDebug::driver {
 public:
  consoleDriver(localConsoleInput& input, localConsoleEncoding encoding) : input_(input), encoding_(encoding) {}
  void attach(localDebug::commands& commands) { commands_ = &commands; }

  localDebug::resume stopped(const localDebug::stop& event) override {
    print(commands_->describeStop(event));
    for (;;) {
      std::string bytes;
      const localConsoleInput::result read = input_.readLine(prompt, bytes);
      if (read == localConsoleInput::result::endOfInput) {
        input_.inputEnded();
        quit_ = true;
        return localDebug::resume::quit;
      }
      if (read != localConsoleInput::result::line) continue;
      const std::size_t end = bytes.find_last_not_of(std::string(" \0", 2));
      bytes.erase(end == std::string::npos ? 0 : end + 1);
      std::wstring line;
      if (!localConsoleDecodeLine(encoding_, bytes, line)) continue;
      std::wstring answer;
      const std::optional<localDebug::resume> how = commands_->execute(line, answer);
      print(answer);
      if (!how) continue;
      if (*how == localDebug::resume::quit) quit_ = true;
      return *how;
    }
  }

  void ended(bool succeeded, localReturnStateType) override {
    print(localDebug::commands::describeEnd(succeeded, quit_));
  }

 private:
  localConsoleInput& input_;
  localConsoleEncoding encoding_;
  localDebug::commands* commands_ = nullptr;
  bool quit_ = false;
};

}  // namespace

bool isDebugLine(const std::wstring& line) {
  unsigned position = 0;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
  const std::wstring word = localInterpretatorUTF8::scanStringGetWordToken(line, position);
  if (localString::wstringToUpper(word) != L"DEBUG") return false;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
  const wchar_t next = position < line.size() ? line[position] : L'\0';
  return next != L'=' && next != L'(' && next != L'.';
}

bool debugProgram(localReturnStateType& state, localContextUTF8& context, localConsoleInput& input,
                  localConsoleEncoding encoding, const std::wstring& file, bool commandLine) {
  consoleDriver driver(input, encoding);
  localDebug::debugger debugger(context, driver);
  localDebug::commands commands(debugger);
  driver.attach(commands);
  return debugger.run(state, file, true, commandLine);
}

localLineOutcome runLine(localContextUTF8& context, localConsoleInput& input, localConsoleEncoding encoding,
                         const std::wstring& line) {
  return localConsoleRunGuarded([&](localReturnStateType& state) {
    unsigned position = 0;
    localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
    localInterpretatorUTF8::scanStringGetWordToken(line, position);
    localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
    localReturnStateType local = localErrorTypeOK;
    const std::wstring file = localInterpretatorUTF8::scanStringGetFilenameToken(local, line, position);
    if (file.empty()) {
      state = localErrorTypeSYNTAX;
      return false;
    }
    return debugProgram(state, context, input, encoding, file, false);
  });
}

}  // namespace localDebugConsole
