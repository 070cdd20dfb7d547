#include "dap/localDapServer.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "dap/localDapArguments.h"
#include "dap/localDapBreakpoints.h"
#include "dap/localDapOutput.h"
#include "dap/localDapVariables.h"
#include "core/localDiagnostics.h"
#include "debug/localDebugger.h"
#include "interp/localInterpretatorUTF8.h"
#include "protocol/localDapMessages.h"
#include "protocol/localMessageFraming.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace localDapServer {

namespace {

using json = localDapMessages::json;
using localDapMessages::request;
using namespace localDapArguments;

constexpr int threadId = 1;

const char* reasonName(localDebug::reason why) {
  switch (why) {
    case localDebug::reason::entry:
      return "entry";
    case localDebug::reason::breakpoint:
      return "breakpoint";
    case localDebug::reason::procedure:
      return "function breakpoint";
    case localDebug::reason::watch:
      return "data breakpoint";
    case localDebug::reason::interrupt:
      return "pause";
    default:
      return "step";
  }
}

// What the reading thread hands to the program's thread.
struct item {
  enum class kind { request, endOfInput } what = kind::request;
  request message;
};

class session final : public localDebug::driver {
 public:
  session(std::istream& input, std::ostream& output, localContextUTF8& context, const programRunner& runner)
      : input_(input),
        channel_(output),
        debugger_(context, *this),
        breakpoints_(debugger_),
        runner_(runner),
        standardOutput_([this](const std::string& bytes) { sendOutput("stdout", bytes); }),
        standardError_([this](const std::string& bytes) { sendOutput("stderr", bytes); }) {}

  int run() {
    localDapOutput::redirect programOutput(std::cout, standardOutput_);
    localDapOutput::redirect programErrors(std::cerr, standardError_);
    // The system's trace lines are not the program's output.
    std::ostream* const diagnostics = localDiscardDiagnostics();
    std::thread reading([this] { readAll(); });
    while (!finished_) {
      const item next = take();
      if (next.what == item::kind::endOfInput) break;
      handle(next.message, false);
      if (launched_ && configured_ && !ran_) runProgram();
    }
    reading.join();
    localSetDiagnostics(diagnostics);
    return 0;
  }

  localDebug::resume stopped(const localDebug::stop& event) override {
    runningFree_.store(false);
    std::cout.flush();
    std::cerr.flush();
    const bool interrupted = event.why == localDebug::reason::interrupt;
    // A stop made only to serve breakpoints set while the program runs goes on unseen.
    if (interrupted && serviceStop_.exchange(false) && serveQueued()) return resumeWith(localDebug::resume::run);
    pauseAsked_.store(false);
    for (const json& moved : breakpoints_.moved()) channel_.event("breakpoint", {{"reason", "changed"}, {"breakpoint", moved}});
    json body = {{"reason", reasonName(event.why)}, {"threadId", threadId}, {"allThreadsStopped", true}};
    if (event.breakpoint != 0) body["hitBreakpointIds"] = json::array({event.breakpoint});
    if (!event.changes.empty()) {
      std::wstring changes;
      for (const localDebug::change& change : event.changes)
        changes += change.name + L": " + change.before + L" -> " + change.after + L"\n";
      body["text"] = utf8(changes);
    }
    // A stop made only to end the program (disconnect, terminate, the end of input) is
    // not shown.
    if (!interrupted || !ending_.load()) channel_.event("stopped", body);
    stopped_ = true;
    for (;;) {
      const item next = take();
      if (next.what == item::kind::endOfInput) {
        finished_ = true;
        break;
      }
      if (const std::optional<localDebug::resume> how = handle(next.message, true)) return *how;
    }
    return resumeWith(localDebug::resume::quit);
  }

  void ended(bool, localReturnStateType) override {}

 private:
  // Leaves a stop. Set before the response to the request that resumes is written, so
  // that the reading thread knows the program runs by the time the editor does.
  localDebug::resume resumeWith(localDebug::resume how) {
    stopped_ = false;
    variables_.forget();
    lastResume_.store(how);
    runningFree_.store(how != localDebug::resume::quit);
    return how;
  }

  // Answers the requests that came while the program ran; false when one of them asks
  // for a real stop (pause, disconnect, terminate, the end of input), which is left to
  // the stop's own loop.
  bool serveQueued() {
    for (;;) {
      std::unique_lock<std::mutex> hold(lock_);
      if (queue_.empty()) break;
      const item& front = queue_.front();
      if (front.what == item::kind::endOfInput || stopsTheProgram(front.message.command)) return false;
      const request next = front.message;
      queue_.pop_front();
      hold.unlock();
      handle(next, false);
    }
    return !pauseAsked_.load() && !ending_.load();
  }

  static bool stopsTheProgram(const std::string& command) {
    return command == "pause" || command == "disconnect" || command == "terminate";
  }

  // --- The reading thread -----------------------------------------------------------------

  void readAll() {
    localMessageFraming::reader reader(input_);
    for (;;) {
      localMessageFraming::message message = reader.next();
      if (message.status == localMessageFraming::message::kind::endOfInput) {
        // The editor is gone: a running program is stopped and ended.
        ending_.store(true);
        debugger_.pause();
        put({item::kind::endOfInput, {}});
        return;
      }
      if (message.status == localMessageFraming::message::kind::malformed) {
        channel_.refuse(request(), message.problem);
        continue;
      }
      request incoming;
      std::string problem;
      const localDapMessages::reading read = localDapMessages::readRequest(message.content, incoming, problem);
      if (read == localDapMessages::reading::ignored) continue;
      if (read == localDapMessages::reading::malformed) {
        channel_.refuse(incoming, problem);
        continue;
      }
      if (answeredAtOnce(incoming)) continue;
      const std::string command = incoming.command;
      // Queued first: a stop the signals below cause finds the request waiting.
      put({item::kind::request, std::move(incoming)});
      // These must reach a program that runs; at a stop a pause is dropped.
      if (command == "disconnect" || command == "terminate") ending_.store(true);
      if (command == "pause") pauseAsked_.store(true);
      if (stopsTheProgram(command)) debugger_.pause();
      // Breakpoints set while the program runs take effect at once: the program stops
      // for a moment, the program's thread sets them and lets it go on. Only a program
      // that runs to the next breakpoint is stopped so; a step ends soon anyway.
      if ((command == "setBreakpoints" || command == "setFunctionBreakpoints") && runningFree_.load() &&
          lastResume_.load() == localDebug::resume::run) {
        serviceStop_.store(true);
        debugger_.pause();
      }
      if (command == "disconnect") return;
    }
  }

  // The requests the reading thread answers itself: the one thread, and while the
  // program runs those that need a stop, which must not wait for one.
  bool answeredAtOnce(const request& incoming) {
    const std::string& command = incoming.command;
    if (command == "threads") {
      channel_.respond(incoming, {{"threads", json::array({{{"id", threadId}, {"name", "program"}}})}});
      return true;
    }
    if (!knownCommands().count(command)) {
      channel_.refuse(incoming, "unknown request: " + command);
      return true;
    }
    if (!runningFree_.load()) return false;
    if (command == "continue") {
      channel_.respond(incoming, {{"allThreadsContinued", true}});
    } else if (command == "next" || command == "stepIn" || command == "stepOut" || command == "evaluate") {
      channel_.refuse(incoming, "the program is running; pause it first");
    } else if (command == "stackTrace") {
      channel_.respond(incoming, {{"stackFrames", json::array()}, {"totalFrames", 0}});
    } else if (command == "variables") {
      channel_.respond(incoming, {{"variables", json::array()}});
    } else {
      return false;
    }
    return true;
  }

  static const std::set<std::string>& knownCommands() {
    static const std::set<std::string> known = {
        "initialize", "launch",  "attach",     "setBreakpoints", "setFunctionBreakpoints", "setExceptionBreakpoints",
        "configurationDone", "threads", "stackTrace", "scopes", "variables", "evaluate", "continue", "next",
        "stepIn", "stepOut", "pause", "terminate", "disconnect"};
    return known;
  }

  void put(item next) {
    {
      const std::lock_guard<std::mutex> hold(lock_);
      queue_.push_back(std::move(next));
    }
    arrived_.notify_one();
  }

  item take() {
    std::unique_lock<std::mutex> hold(lock_);
    arrived_.wait(hold, [this] { return !queue_.empty(); });
    item next = std::move(queue_.front());
    queue_.pop_front();
    return next;
  }

  // --- Requests, on the program's thread ------------------------------------------------

  // Answers one request; at a stop, the way the program goes on when the request says.
  std::optional<localDebug::resume> handle(const request& message, bool atStop) {
    try {
      return dispatch(message, atStop);
    } catch (const std::exception& failure) {
      channel_.refuse(message, std::string("invalid arguments: ") + failure.what());
    }
    return std::nullopt;
  }

  std::optional<localDebug::resume> dispatch(const request& message, bool atStop) {
    const std::string& command = message.command;
    const json& arguments = message.arguments;
    if (command == "initialize") {
      channel_.respond(message, capabilities());
      channel_.event("initialized");
    } else if (command == "launch") {
      launch(message);
    } else if (command == "attach") {
      channel_.refuse(message, "attaching to a running program is not supported; use launch");
    } else if (command == "setBreakpoints") {
      channel_.respond(message, breakpoints_.setInFile(arguments));
    } else if (command == "setFunctionBreakpoints") {
      channel_.respond(message, breakpoints_.setOnProcedures(arguments));
    } else if (command == "setExceptionBreakpoints") {
      channel_.respond(message, {{"breakpoints", json::array()}});
    } else if (command == "configurationDone") {
      configured_ = true;
      announceRun();
      channel_.respond(message);
    } else if (command == "stackTrace") {
      channel_.respond(message, stackTrace(arguments));
    } else if (command == "scopes") {
      channel_.respond(message, {{"scopes", json::array({{{"name", utf8(L"Переменные")},
                                                          {"presentationHint", "locals"},
                                                          {"variablesReference", localDapVariables::contextScope},
                                                          {"expensive", false}}})}});
    } else if (command == "variables") {
      const int reference = static_cast<int>(number(arguments.at("variablesReference"), 0, 1 << 30));
      const auto start = static_cast<std::size_t>(optionalNumber(arguments, "start", 0, 1LL << 32, 0));
      const auto count = static_cast<std::size_t>(optionalNumber(arguments, "count", 0, 1LL << 32, 0));
      json list = stopped_ ? variables_.variables(debugger_, reference, start, count) : json::array();
      channel_.respond(message, {{"variables", std::move(list)}});
    } else if (command == "evaluate") {
      evaluate(message);
    } else if (command == "continue" || command == "next" || command == "stepIn" || command == "stepOut") {
      if (!atStop) {
        channel_.refuse(message, "the program is not stopped");
        return std::nullopt;
      }
      const localDebug::resume how = command == "continue" ? localDebug::resume::run
                                     : command == "next"   ? localDebug::resume::next
                                     : command == "stepIn" ? localDebug::resume::step
                                                           : localDebug::resume::finish;
      resumeWith(how);
      channel_.respond(message, command == "continue" ? json{{"allThreadsContinued", true}} : json::object());
      return how;
    } else if (command == "pause") {
      channel_.respond(message);
    } else if (command == "terminate" || command == "disconnect") {
      channel_.respond(message);
      if (command == "disconnect") {
        finished_ = true;
        disconnected_ = true;
      }
      if (atStop) return resumeWith(localDebug::resume::quit);
    } else {
      channel_.refuse(message, "unknown request: " + command);
    }
    return std::nullopt;
  }

  static json capabilities() {
    return {{"supportsConfigurationDoneRequest", true},
            {"supportsFunctionBreakpoints", true},
            {"supportsEvaluateForHovers", true},
            {"supportsTerminateRequest", true},
            {"supportsDelayedStackTraceLoading", false},
            {"exceptionBreakpointFilters", json::array()}};
  }

  void launch(const request& message) {
    if (launched_) {
      channel_.refuse(message, "a program has been launched already");
      return;
    }
    const json& arguments = message.arguments;
    const std::wstring program = wide(text(arguments, "program"));
    const auto cwd = arguments.find("cwd");
    if (cwd != arguments.end() && cwd->is_string() && !cwd->get<std::string>().empty()) {
      std::error_code error;
      std::filesystem::current_path(std::filesystem::path(wide(cwd->get<std::string>())), error);
      if (error) {
        channel_.refuse(message, "cannot change to the directory " + cwd->get<std::string>() + ": " + error.message());
        return;
      }
    }
    std::error_code error;
    if (program.empty() || !std::filesystem::is_regular_file(std::filesystem::path(program), error)) {
      channel_.refuse(message, "cannot open the program " + utf8(program));
      return;
    }
    programFile_ = absolutePath(program);
    stopOnEntry_ = flag(arguments, "stopOnEntry");
    noDebug_ = flag(arguments, "noDebug");
    launched_ = true;
    announceRun();
    channel_.respond(message);
  }

  // The program runs once both launch and configurationDone have come: the reading
  // thread must know it runs before the editor, told by the response, asks anything.
  void announceRun() {
    if (!launched_ || !configured_ || ran_) return;
    lastResume_.store(stopOnEntry_ && !noDebug_ ? localDebug::resume::step : localDebug::resume::run);
    runningFree_.store(true);
  }

  void runProgram() {
    ran_ = true;
    if (noDebug_) debugger_.deleteBreakpoints();
    const int status = runner_(programFile_, [this](localReturnStateType& state, const std::wstring& file) {
      return debugger_.run(state, file, stopOnEntry_ && !noDebug_, true);
    });
    runningFree_.store(false);
    std::cout.flush();
    std::cerr.flush();
    if (disconnected_) return;
    channel_.event("exited", {{"exitCode", status}});
    channel_.event("terminated");
  }

  void sendOutput(const char* category, const std::string& bytes) {
    channel_.event("output", {{"category", category}, {"output", bytes}});
  }

  // --- What a stop shows ----------------------------------------------------------------

  json stackTrace(const json& arguments) {
    json frames = json::array();
    if (!stopped_) return {{"stackFrames", frames}, {"totalFrames", 0}};
    const std::vector<localDebug::frame> stack = debugger_.stack();
    const auto start = static_cast<std::size_t>(optionalNumber(arguments, "startFrame", 0, 1LL << 32, 0));
    const auto levels = static_cast<std::size_t>(optionalNumber(arguments, "levels", 0, 1LL << 32, 0));
    for (std::size_t i = start; i < stack.size() && (levels == 0 || i < start + levels); ++i) {
      const localDebug::frame& frame = stack[i];
      const std::filesystem::path path(frame.where.file);
      frames.push_back({{"id", i},
                        {"name", utf8(frame.procedure)},
                        {"source", {{"name", utf8(path.filename().wstring())}, {"path", utf8(absolutePath(frame.where.file))}}},
                        {"line", frame.where.line},
                        {"column", columnOf(frame.where)}});
    }
    return {{"stackFrames", std::move(frames)}, {"totalFrames", stack.size()}};
  }

  // The column of the statement: the first character of its line that is not blank.
  unsigned columnOf(const localDebug::place& where) const {
    const auto lines = debugger_.sourceLines(where.file, where.line, where.line);
    if (lines.empty()) return 1;
    const std::size_t first = lines.front().second.find_first_not_of(L" \t");
    return first == std::wstring::npos ? 1 : static_cast<unsigned>(first + 1);
  }

  // `name = expression` typed in the debug console assigns, as at the console's debugger;
  // anything else is an expression.
  static bool isAssignment(const std::wstring& line) {
    unsigned position = 0;
    localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
    const std::wstring word = localInterpretatorUTF8::scanStringGetWordToken(line, position);
    localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
    return !word.empty() && position + 1 < line.size() && line[position] == L'=' && line[position + 1] != L'=';
  }

  void evaluate(const request& message) {
    const json& arguments = message.arguments;
    const std::wstring expression = wide(text(arguments, "expression"));
    const auto context = arguments.find("context");
    const bool console = context != arguments.end() && *context == "repl";
    localReturnStateType state = localErrorTypeOK;
    if (console && isAssignment(expression)) {
      if (!debugger_.assign(state, expression)) {
        channel_.refuse(message, utf8(localString::returnStateAsString(state)));
        return;
      }
      channel_.respond(message, {{"result", ""}, {"variablesReference", 0}});
      return;
    }
    localValueDescription value;
    if (!debugger_.evaluate(state, expression, value)) {
      channel_.refuse(message, utf8(localString::returnStateAsString(state)));
      return;
    }
    const json shown = variables_.describe(L"", value);
    channel_.respond(message, {{"result", shown.at("value")},
                               {"type", shown.at("type")},
                               {"variablesReference", stopped_ ? shown.at("variablesReference") : json(0)}});
  }

  std::istream& input_;
  localDapMessages::channel channel_;
  localDebug::debugger debugger_;
  localDapBreakpoints breakpoints_;
  const programRunner& runner_;
  localDapOutput::capture standardOutput_;
  localDapOutput::capture standardError_;
  localDapVariables::references variables_;

  std::mutex lock_;
  std::condition_variable arrived_;
  std::deque<item> queue_;

  std::wstring programFile_;
  bool launched_ = false;
  bool configured_ = false;
  bool ran_ = false;
  bool stopOnEntry_ = false;
  bool noDebug_ = false;
  bool stopped_ = false;
  bool finished_ = false;
  bool disconnected_ = false;
  // Shared with the reading thread.
  std::atomic<bool> ending_{false};       // disconnect, terminate or the end of input came
  std::atomic<bool> pauseAsked_{false};   // a pause request came
  std::atomic<bool> serviceStop_{false};  // the program stops only to serve requests
  std::atomic<bool> runningFree_{false};  // the program runs (not at a stop)
  std::atomic<localDebug::resume> lastResume_{localDebug::resume::run};
};

}  // namespace

int serve(std::istream& input, std::ostream& output, localContextUTF8& context, const programRunner& runner) {
  session adapter(input, output, context, runner);
  return adapter.run();
}

}  // namespace localDapServer
