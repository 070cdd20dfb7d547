#include "tests/fuzz/fuzz_support.h"

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "context/localContextUTF8.h"
#include "context/localRandom.h"
#include "core/localInterrupt.h"
#include "core/localKeepAlive.h"
#include "core/localStringLimit.h"
#include "interp/localInterpretatorUTF8.h"
#include "platform/localSystem.h"
#include "tests/engine_comparison.h"
#include "text/localString.h"

namespace fs = std::filesystem;

namespace fuzzSupport {
namespace {

// The console runs on a 1 GB stack (app/main.cpp); deep but bounded recursion must not
// look like a stack overflow here.
constexpr rlim_t stackBytes = rlim_t{1} << 30;
// Work per input: interruption checks per console line (loop passes, calls, string
// building) and wall time for the whole session; once the time is up the running line is
// interrupted and no further line runs. An input that ends neither way is a real hang,
// which libFuzzer reports (its -timeout is far longer).
constexpr std::uint64_t checkBudget = 250;
constexpr auto timeBudget = std::chrono::milliseconds(1000);
// Strings are bounded far lower than in the console so that the bound is reached cheaply.
constexpr std::size_t fuzzStringLimit = std::size_t{1} << 16;

fs::path scratchDirectory;

// Session start as a steady-clock count; 0 between sessions.
std::atomic<std::int64_t> sessionStartedAt{0};

std::int64_t now() { return std::chrono::steady_clock::now().time_since_epoch().count(); }

void raiseStackLimit(char** argv) {
  rlimit limit{};
  if (getrlimit(RLIMIT_STACK, &limit) != 0) return;
  if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= stackBytes) return;
  if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < stackBytes) return;
  limit.rlim_cur = stackBytes;
  if (setrlimit(RLIMIT_STACK, &limit) != 0) return;
  // The main thread's stack size is fixed at exec: start again with the new limit.
  execv("/proc/self/exe", argv);
}

// The scratch directory becomes the working directory, so every path libFuzzer was
// given is made absolute first; crash files go where the fuzzer was started.
void absolutePaths(int* argc, char*** argv) {
  static std::vector<std::string> words;
  static std::vector<char*> pointers;
  const fs::path here = fs::current_path();
  bool artifactPrefix = false;
  words.emplace_back((*argv)[0]);
  for (int i = 1; i < *argc; ++i) {
    std::string word = (*argv)[i];
    for (const char* flag : {"-dict=", "-artifact_prefix=", "-exact_artifact_path="}) {
      const std::string prefix = flag;
      if (word.compare(0, prefix.size(), prefix) == 0 && word.size() > prefix.size() &&
          word[prefix.size()] != '/') {
        const bool directory = word.back() == '/';
        word = prefix + (here / word.substr(prefix.size())).string() + (directory ? "/" : "");
      }
    }
    if (word.compare(0, 17, "-artifact_prefix=") == 0) artifactPrefix = true;
    if (!word.empty() && word[0] != '-' && word[0] != '/') word = (here / word).string();
    words.push_back(word);
  }
  if (!artifactPrefix) words.push_back("-artifact_prefix=" + here.string() + "/");
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  *argc = static_cast<int>(words.size());
  *argv = pointers.data();
}

void removeScratch() {
  std::error_code ignored;
  fs::current_path(fs::temp_directory_path(ignored), ignored);
  fs::remove_all(scratchDirectory, ignored);
}

void enterScratchDirectory() {
  std::string pattern = (fs::temp_directory_path() / "localinterp-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  scratchDirectory = pattern;
  fs::current_path(scratchDirectory);
  std::atexit(removeScratch);
}

void emptyScratchDirectory() {
  std::error_code error;
  for (fs::directory_iterator entry(scratchDirectory, error), end; !error && entry != end; entry.increment(error))
    fs::remove_all(entry->path(), error);
}

// The command processor is replaced by a recorder: a command line that does not have
// the form the interpreter is meant to hand over is a fault.
int recordCommand(const std::string& commandLine) {
  if (commandLine.compare(0, 9, "start \"\" ") != 0) {
    std::fprintf(stderr, "unexpected command line: %s\n", commandLine.c_str());
    std::abort();
  }
  return 0;
}

bool overTime(std::int64_t started) {
  return started != 0 &&
         now() - started > std::chrono::duration_cast<std::chrono::steady_clock::duration>(timeBudget).count();
}

// Ends a line of a session that runs past its time budget the way Ctrl-C does.
void watchdog() {
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (overTime(sessionStartedAt.load())) localInterruptRequest();
  }
}

}  // namespace

void initialize(int* argc, char*** argv) {
  raiseStackLimit(*argv);
  absolutePaths(argc, argv);
  enterScratchDirectory();
  localSetSystemHook(recordCommand);
  localInterruptSetCheckBudget(checkBudget);
  localStringSetLengthLimit(fuzzStringLimit);
  // Everything the interpreter prints is formatted and then dropped by the stream.
  std::cout.setstate(std::ios::badbit);
  std::thread(watchdog).detach();
}

bool mayWriteOutsideScratch(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.find('/') == std::string::npos) return false;
  std::string upper = text;
  for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return upper.find("MODI") != std::string::npos;
}

namespace {

// The context of every session, made once: a session leaves it as start-up left it.
struct sharedContext {
  std::unique_ptr<localContextUTF8> context;
  std::vector<localContextUTF8::variableDescription> variables;
  std::vector<localClassDeclaration*> classes;
  unsigned functions = 0;
  std::size_t keptAlive = 0;
};

sharedContext& shared() {
  static sharedContext state;
  return state;
}

void makeContext() {
  sharedContext& state = shared();
  state.context.reset();
  localKeepAliveReleaseAfter(0);
  state.context = std::make_unique<localContextUTF8>();
  state.variables.clear();
  for (unsigned i = 0; i < state.context->varCount(); ++i) state.variables.push_back(*state.context->varByIdx(i));
  state.classes.clear();
  for (unsigned i = 0; i < state.context->getClassCount(); ++i)
    state.classes.push_back(state.context->getClassDeclarationByIdx(i));
  state.functions = state.context->funcCount();
  state.keptAlive = localKeepAliveCount();
}

// Every field, the number bit for bit (-0 prints otherwise than 0).
bool sameValue(const localValueDescription& a, const localValueDescription& b) {
  const double x = a.getNum();
  const double y = b.getNum();
  return a.getType() == b.getType() && a.getClassDeclaration() == b.getClassDeclaration() &&
         a.getObj() == b.getObj() && std::memcmp(&x, &y, sizeof x) == 0 && a.getStrRef() == b.getStrRef();
}

// Functions and classes change only through declarations and class loading, which are
// rare; when they did, the context is made anew. Variables are put back one by one.
bool functionsAndClassesIntact(const localContextUTF8& context) {
  const sharedContext& state = shared();
  if (context.funcCount() != state.functions || context.getClassCount() != state.classes.size()) return false;
  for (unsigned i = 0; i < state.classes.size(); ++i)
    if (context.getClassDeclarationByIdx(i) != state.classes[i]) return false;
  for (unsigned i = 0; i < state.functions; ++i)
    if (context.funcByIdx(i).operatorCompiled != nullptr) return false;
  return true;
}

bool restoreVariables(localContextUTF8& context) {
  const sharedContext& state = shared();
  while (context.varCount() > state.variables.size()) context.varDeleteByIdx(context.varCount() - 1);
  if (context.varCount() != state.variables.size()) return false;
  for (unsigned i = 0; i < state.variables.size(); ++i) {
    localContextUTF8::variableDescription* variable = context.varByIdx(i);
    if (variable->name != state.variables[i].name) return false;
    if (!sameValue(variable->value, state.variables[i].value)) variable->value = state.variables[i].value;
  }
  return true;
}

}  // namespace

Session::Session() {
  if (!shared().context) makeContext();
  context_ = shared().context.get();
  localRandomSeed(1);
  sessionStartedAt.store(now());
}

Session::~Session() {
  sessionStartedAt.store(0);
  localContextUTF8& context = *context_;
  if (functionsAndClassesIntact(context) && restoreVariables(context)) {
    // No variable refers to an object made in this session any more.
    localKeepAliveReleaseAfter(shared().keptAlive);
  } else {
    makeContext();
  }
  emptyScratchDirectory();
}

namespace {

struct lineEnd {
  bool ok = true;
  localReturnStateType state = localErrorTypeOK;
  bool interrupted = false;  // the work or time budget asked the line to stop
};

// Runs one line of console bytes as the console loop does.
lineEnd runConsoleLine(localContextUTF8* context, const std::string& bytes) {
  lineEnd result;
  // As the console: a line of 65532 bytes or more is not read; trailing blanks and zero
  // bytes are dropped.
  if (bytes.size() >= 0xFFFC) return result;
  const std::size_t end = bytes.find_last_not_of(std::string(" \0", 2));
  const std::wstring line =
      localString::stdStringCp866StdStringToStdWstring(end == std::string::npos ? std::string() : bytes.substr(0, end + 1));
  unsigned position = 0;
  localInterruptLineStarts();
  try {
    result.ok = localInterpretatorUTF8::scanStringGetOperatorAndExec(result.state, line, position, context, false);
  } catch (const std::exception&) {
    // The console reports these as a failed line and goes on.
    result.ok = false;
    result.state = localErrorTypeCODE;
  }
  result.interrupted = localInterruptState::requested.load();
  localInterruptLineEnds();
  return result;
}

}  // namespace

bool Session::runLine(const std::string& bytes) {
  if (overTime(sessionStartedAt.load())) return false;
  return runConsoleLine(context_, bytes).state != localErrorTypeQUIT;
}

ProgramRun runProgramAlone(const std::uint8_t* data, std::size_t size) {
  emptyScratchDirectory();
  writeScratchFile("main.prg", data, size);
  const std::size_t keptAlive = localKeepAliveCount();
  ProgramRun run;
  {
    localContextUTF8 context;
    localRandomSeed(1);
    std::ostringstream printed;
    std::streambuf* const discarding = std::cout.rdbuf(printed.rdbuf());
    std::cout.clear();
    sessionStartedAt.store(now());
    const lineEnd end = runConsoleLine(&context, "DO main.prg");
    sessionStartedAt.store(0);
    std::cout.rdbuf(discarding);
    std::cout.setstate(std::ios::badbit);
    run.state = end.state;
    run.succeeded = end.ok;
    run.interrupted = end.interrupted;
    run.printed = testSupport::withoutAddresses(printed.str());
    run.variables = testSupport::describeVariables(context);
  }
  // Nothing of that context is left to point at what it made.
  localKeepAliveReleaseAfter(keptAlive);
  emptyScratchDirectory();
  return run;
}

void writeScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (file == nullptr) std::abort();
  if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

}  // namespace fuzzSupport
