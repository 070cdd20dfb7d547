#include "app/localScriptRun.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "app/localCommandLine.h"
#include "app/localConsole.h"
#include "app/localConsoleBlock.h"
#include "app/localScriptFailure.h"
#include "app/localScriptFileCheck.h"
#include "check/localCheck.h"
#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localFileReader.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localCode.h"
#include "program/localOperatorCompiled.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace localScriptRun {

namespace {

using namespace localCommandLine;

// The name a -c text goes by in the closing line.
const std::wstring commandTextName = L"-c";

const std::string interruptedMessage = "Выполнение прервано пользователем (Ctrl-C).";

// A file the user named that cannot be read, or that holds no text, is a usage error,
// reported the way command-line tools report it, before anything runs.
bool readable(const std::string& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) {
    std::cerr << "localinterp: " << file << ": Is a directory\n";
    return false;
  }
  std::ifstream probe(file, std::ios::binary);
  if (!probe.is_open()) {
    std::cerr << "localinterp: cannot open " << file << ": " << std::strerror(errno) << "\n";
    return false;
  }
  const std::string notText = localScriptFileCheck::whyFileIsNotText(file);
  if (!notText.empty()) {
    std::cerr << "localinterp: " << file << ": not a program text (" << notText << ")\n";
    return false;
  }
  return true;
}

std::string bytesOf(const std::wstring& text) { return localString::wstringToStdStringMultibyte(text); }

// Where a failure is told: with the diagnostics, after the trace lines that led to it,
// unless they are dropped (a quiet run): then on standard error, after what the program
// printed.
std::ostream& failureStream() {
  if (!localDiagnosticsDiscarded()) return localDiagnostics();
  std::cout.flush();
  return std::cerr;
}

// What a user needs of a failure, on standard error after what the program printed: the
// closing line, the source line with a caret under the column, and a hint where one helps.
// Ctrl-C is told as such, at the statement it stopped.
void printFailure(const localFailurePlace::place& place, const localLineOutcome& outcome,
                  const std::wstring* sourceLine) {
  std::ostream& out = failureStream();
  if (outcome.interrupted) {
    out << localScriptFailure::closingLine(place, interruptedMessage);
    if (sourceLine != nullptr && place.line > 0) out << localScriptFailure::sourceAndCaret(*sourceLine, place.column);
  } else {
    out << localScriptFailure::report(place, outcome.state, sourceLine);
  }
  out.flush();
}

// The status of a failed run: 130 after Ctrl-C, as shells report a run ended by it.
int failureStatus(const localLineOutcome& outcome) { return outcome.interrupted ? exitInterrupted : exitFailure; }

// The place a failed run left, or `fallback` (with the detail the run left, if any).
localFailurePlace::place placeOr(localFailurePlace::place fallback) {
  const std::optional<localFailurePlace::place> found = localFailurePlace::take();
  if (!found) return fallback;
  if (!found->file.empty()) return *found;
  fallback.detail = found->detail;
  return fallback;
}

// Output and diagnostics of a compile that must stay silent: it prints only its verdict.
class silence {
 public:
  silence() : output_(std::cout.rdbuf(nullptr)) { localSetDiagnostics(&sink_); }
  ~silence() {
    std::cout.clear();
    std::cout.rdbuf(output_);
    localSetDiagnostics(&std::cerr);
  }
  silence(const silence&) = delete;
  silence& operator=(const silence&) = delete;

 private:
  std::streambuf* output_;
  std::ostream sink_{nullptr};
};

}  // namespace

bool argumentText(localConsoleEncoding encoding, const std::string& bytes, std::wstring& text) {
  // Text from the command line is in the locale's encoding, on this system UTF-8,
  // whatever the console speaks; CP866 bytes are taken as such in CP866 mode.
  std::size_t badOffset = 0;
  if (localString::utf8ToWstring(bytes, text, badOffset)) return true;
  return localConsoleDecodeLine(encoding, bytes, text);
}

// A line of -c TEXT: UTF-8, or CP866 bytes in CP866 mode. In UTF-8 mode a line that is not
// UTF-8 is not run; its closing line names the first bad byte.
bool commandLineText(localConsoleEncoding encoding, const std::string& bytes, unsigned lineNumber,
                     std::wstring& text) {
  std::size_t badOffset = 0;
  if (localString::utf8ToWstring(bytes, text, badOffset)) return true;
  if (encoding == localConsoleEncoding::cp866) return localConsoleDecodeLine(encoding, bytes, text);
  std::ostream& out = failureStream();
  out << bytesOf(commandTextName) << ":" << lineNumber << ":" << badOffset + 1
      << ": Строка не в кодировке UTF-8 (байт " << localString::byteAsHex(bytes[badOffset]) << "), она не выполнена.\n";
  out.flush();
  return false;
}

int runFile(localContextUTF8& context, localConsoleEncoding encoding, const std::string& file) {
  return runFile(encoding, file, [&context](localReturnStateType& state, const std::wstring& name) {
    return localShellCommands::runProgramFile(state, name, &context, localShellCommands::programSource::commandLine);
  });
}

int runFile(localConsoleEncoding encoding, const std::string& file,
            const std::function<bool(localReturnStateType&, const std::wstring&)>& run) {
  std::wstring name;
  if (!readable(file) || !argumentText(encoding, file, name)) return exitUsage;
  const localLineOutcome outcome =
      localConsoleRunGuarded([&](localReturnStateType& state) { return run(state, name); }, false);
  if (outcome.succeeded) return exitSuccess;
  const localFailurePlace::place place = placeOr({name, 0, 0, {}, {}});
  std::wstring sourceLine;
  const bool known = localScriptFailure::lineOfFile(place.file, place.line, sourceLine);
  printFailure(place, outcome, known ? &sourceLine : nullptr);
  return failureStatus(outcome);
}

int runCommands(localContextUTF8& context, localConsoleEncoding encoding, const std::string& text, bool& quit) {
  // The lines of TEXT; a line end at its very end closes its last line, it opens no empty one.
  std::vector<std::string> lines;
  const std::size_t size = !text.empty() && text.back() == '\n' ? text.size() - 1 : text.size();
  for (std::size_t start = 0; start <= size;) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos || end > size) end = size;
    std::string bytes = text.substr(start, end - start);
    const std::size_t last = bytes.find_last_not_of(' ');
    bytes.erase(last == std::string::npos ? 0 : last + 1);
    lines.push_back(std::move(bytes));
    start = end + 1;
  }
  int status = exitSuccess;
  for (std::size_t index = 0; index < lines.size() && !quit; ++index) {
    const unsigned lineNumber = static_cast<unsigned>(index + 1);
    std::wstring line;
    if (!commandLineText(encoding, lines[index], lineNumber, line)) {
      status = exitFailure;
      continue;
    }
    localLineOutcome outcome;
    if (localConsoleBlock::opensBlock(line)) {
      // A block takes the lines after it until it closes, as at the prompt.
      int depth = localConsoleBlock::depthChange(line);
      while (depth > 0 && index + 1 < lines.size()) {
        std::wstring next;
        ++index;
        if (!commandLineText(encoding, lines[index], static_cast<unsigned>(index + 1), next)) status = exitFailure;
        line += L'\n';
        line += next;
        depth += localConsoleBlock::depthChange(next);
      }
      outcome = localConsoleRunBlock(context, line, false);
      // Every note is this run's: a guarded run starts without any.
      if (!outcome.succeeded)
        localFailurePlace::settle(commandTextName, lineNumber - 1);
    } else {
      outcome = localConsoleRunLine(context, line, false);
    }
    quit = outcome.quit;
    if (outcome.succeeded) continue;
    status = failureStatus(outcome);
    // The part of the line that failed, or the line's first word.
    const std::size_t first = line.find_first_not_of(L" \t");
    const unsigned column = 1 + static_cast<unsigned>(first == std::wstring::npos ? 0 : first);
    localFailurePlace::place failed{commandTextName, lineNumber, column, {}, {}};
    if (const std::optional<localFailurePlace::part> part = localFailurePlace::takePart(line)) {
      failed.column = part->position + 1;
      failed.subject = part->subject;
    }
    localFailurePlace::place place = placeOr(failed);
    // A stop between statements (Ctrl-C at a loop's pass) names the line the block starts on.
    if (place.line == 0 && place.file == commandTextName) {
      place.line = lineNumber;
      place.column = column;
    }
    std::wstring sourceLine;
    bool known = false;
    if (place.file == commandTextName && place.line >= 1 && place.line <= lines.size())
      known = argumentText(encoding, lines[place.line - 1], sourceLine);
    else
      known = localScriptFailure::lineOfFile(place.file, place.line, sourceLine);
    printFailure(place, outcome, known ? &sourceLine : nullptr);
    if (outcome.interrupted) break;
  }
  return status;
}

// One line per diagnostic, in the form compilers use; the exit status of the check.
int reportChecked(const std::wstring& name, const std::vector<localCheck::diagnostic>& found, bool strict) {
  int status = exitSuccess;
  for (const localCheck::diagnostic& d : found) {
    std::cerr << bytesOf(name) << ":" << d.line << ":" << d.column << ": ";
    if (d.level == localCheck::severity::error) {
      std::cerr << bytesOf(d.message) << "\n";
      status = exitFailure;
    } else {
      std::cerr << "warning: " << bytesOf(d.message) << " [" << d.name << "]\n";
      if (strict) status = exitFailure;
    }
  }
  return status;
}

int checkFile(localConsoleEncoding encoding, const std::string& file, bool strict) {
  std::wstring name;
  if (!readable(file) || !argumentText(encoding, file, name)) return exitUsage;
  localReturnStateType state = localErrorTypeOK;
  std::wstring program;
  if (!localString::readFromFile(state, name, program)) return exitUsage;
  return reportChecked(name, localCheck::checkProgram(program), strict);
}

int checkCommands(localConsoleEncoding encoding, const std::string& text, bool strict) {
  std::wstring lines;
  if (!argumentText(encoding, text, lines)) return exitUsage;
  return reportChecked(commandTextName, localCheck::checkConsoleLines(lines), strict);
}

int dumpCode(localContextUTF8& context, localConsoleEncoding encoding, const std::string& file) {
  std::wstring name;
  if (!readable(file) || !argumentText(encoding, file, name)) return exitUsage;
  localReturnStateType state = localErrorTypeOK;
  std::wstring program;
  unsigned position = 0;
  bool compiled = false;
  std::wstring listing;
  {
    silence quiet;
    if (!localString::readFromFile(state, name, program)) return exitUsage;
    localShellCommands::skipShebangLine(program);
    auto root = std::make_unique<localOperatorCompiled>(&localOperatorCompiled::execute);
    localOperatorCompiled* block = root.get();
    compiled = localInterpretatorUTF8::textCompile(state, program, position, &context, block);
    if (compiled && state == localErrorTypeOK) listing = localCode::listProgram(*root, context);
  }
  if (compiled && state == localErrorTypeOK) {
    std::cout << localString::wstringToStdStringMultibyte(listing);
    return exitSuccess;
  }
  // A closing keyword met at the top level leaves its signal, as when the program runs.
  if (state == localErrorTypeOK) state = localErrorTypeSYNTAX;
  localFailurePlace::place place{name, 0, 0, {}, {}};
  localFailurePlace::lineAndColumn(program, localFailurePlace::compilePosition(program, position, state), place.line,
                                   place.column);
  std::wstring sourceLine;
  const bool known = localScriptFailure::lineOfFile(place.file, place.line, sourceLine);
  std::cerr << localScriptFailure::report(place, state, known ? &sourceLine : nullptr);
  return exitFailure;
}

}  // namespace localScriptRun
