// Throughput of the hot paths: expression evaluation (every execution rescans its text),
// a compiled loop, and calls of user functions. Run: build/localinterp_bench
#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>

#include "context/localContextUTF8.h"
#include "interp/localInterpretatorUTF8.h"

namespace {

// Keeps benchmark output free of what the programs print.
class SilenceCout {
 public:
  SilenceCout() : saved_(std::cout.rdbuf(sink_.rdbuf())) {}
  ~SilenceCout() { std::cout.rdbuf(saved_); }

 private:
  std::ostringstream sink_;
  std::streambuf* saved_;
};

void expressionArithmetic(benchmark::State& state) {
  localContextUTF8 context;
  const std::wstring text = L"(1 + 2) * 3 - 4 / 5 + number11 * (Pi - 1)";
  for (auto _ : state) {
    localReturnStateType status = localErrorTypeOK;
    unsigned position = 0;
    localValueDescription value;
    localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(status, text, position, value, &context, false);
    benchmark::DoNotOptimize(value.getNum());
  }
}
BENCHMARK(expressionArithmetic);

void programLoop(benchmark::State& state) {
  SilenceCout silence;
  localContextUTF8 context;
  const std::wstring program = L"s = 0; FOR i = 1 TO 1000 DO s = s + i; ENDDO;";
  for (auto _ : state) {
    localReturnStateType status = localErrorTypeOK;
    localInterpretatorUTF8::textExec(status, program, &context);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(programLoop);

void userFunctionCalls(benchmark::State& state) {
  SilenceCout silence;
  localContextUTF8 context;
  const std::wstring program =
      L"FUNCTION inc() n = n + 1; ENDFUNCTION; n = 0; WHILE n < 500 DO inc(); ENDDO;";
  for (auto _ : state) {
    localReturnStateType status = localErrorTypeOK;
    localInterpretatorUTF8::textExec(status, program, &context);
  }
  state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(userFunctionCalls);

}  // namespace

BENCHMARK_MAIN();
