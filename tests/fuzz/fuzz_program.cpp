// Program files: the input is a program text (CP1251, as DO reads it), written to the
// scratch directory and run with DO, so reading, compiling and running are all reached.
// The program may run itself again with DO main.prg.
//
// Each input runs twice, in a fresh context each time: once with the instruction-list
// engine and once with the text scanner, the reference. Any difference in what they print,
// how the line ends or the variables they leave is a finding. Runs that the work or time
// budget stopped are not compared: the engines check for a stop at different points.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "program/localCode.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

fuzzSupport::ProgramRun runWith(localEngine::kind engine, const std::uint8_t* data, std::size_t size) {
  localEngine::set(engine);
  fuzzSupport::ProgramRun run = fuzzSupport::runProgramAlone(data, size);
  localEngine::set(localEngine::kind::code);
  return run;
}

void report(const char* what, const std::string& code, const std::string& scan) {
  std::fprintf(stderr, "engines differ in %s\n--- code engine:\n%s\n--- scanner:\n%s\n", what, code.c_str(),
               scan.c_str());
}

// True when both runs went to the end and differ; with report, the differences are printed.
bool differ(const std::uint8_t* data, std::size_t size, bool reportThem) {
  const fuzzSupport::ProgramRun code = runWith(localEngine::kind::code, data, size);
  const fuzzSupport::ProgramRun scan = runWith(localEngine::kind::scan, data, size);
  if (code.interrupted || scan.interrupted) return false;
  const bool output = code.printed != scan.printed;
  const bool outcome = code.state != scan.state || code.succeeded != scan.succeeded;
  const bool variables = code.variables != scan.variables;
  if (reportThem) {
    if (output) report("output", code.printed, scan.printed);
    if (outcome)
      report("outcome", std::to_string(code.state) + (code.succeeded ? " ok" : " failed"),
             std::to_string(scan.state) + (scan.succeeded ? " ok" : " failed"));
    if (variables) report("variables", code.variables, scan.variables);
  }
  return output || outcome || variables;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzSupport::initialize(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (fuzzSupport::mayWriteOutsideScratch(data, size)) return -1;
  if (differ(data, size, false) && differ(data, size, true)) __builtin_trap();
  return 0;
}
