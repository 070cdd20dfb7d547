// Differential test of the two program engines: the instruction list and the text
// scanner, the reference. Random programs and a few fixed ones run with each engine in
// fresh contexts; the printed bytes, the outcome and the variables left behind must be
// identical. LOCALINTERP_DIFF_PROGRAMS sets how many random programs run
// (LOCALINTERP_DIFF_SEED the first seed), for long runs by hand.
#include <gtest/gtest.h>
#include <pthread.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "core/localStringLimit.h"
#include "program/localCode.h"
#include "interp/localInterpretatorUTF8.h"
#include "tests/program_generator.h"
#include "tests/program_test_support.h"
#include "tests/transcript_process.h"
#include "tests/engine_comparison.h"
#include "text/localString.h"

namespace {

struct outcome {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  std::string printed;
  std::string variables;
  bool interrupted = false;  // the work bound stopped it
};

// Bounds for the random programs, which may double strings or keep a loop going by
// changing its counter: strings of at most 4,096 characters, and a line stops (as on
// Ctrl-C) after 20,000 checks for a stop. The engines check at different points, so a
// run that was stopped is not compared.
class workBounds {
 public:
  workBounds() {
    localStringSetLengthLimit(std::size_t{1} << 12);
    localInterruptSetCheckBudget(20000);
  }
  ~workBounds() {
    localStringSetLengthLimit(0);
    localInterruptSetCheckBudget(0);
  }
  workBounds(const workBounds&) = delete;
  workBounds& operator=(const workBounds&) = delete;
};

outcome runInContext(const std::wstring& program, bool scanOnly) {
  localContextUTF8 context;
  programTest::runLine(L"LOAD CLASS TEST", &context);
  localEngine::set(scanOnly ? localEngine::kind::scan : localEngine::kind::code);
  localInterruptLineStarts();
  const programTest::Run run = programTest::run(program, &context);
  const bool interrupted = localInterruptState::requested.load();
  localInterruptLineEnds();
  localEngine::set(localEngine::kind::code);
  outcome result;
  result.interrupted = interrupted;
  result.ok = run.ok;
  result.state = run.state;
  result.printed = testSupport::withoutAddresses(run.printed);
  result.variables = testSupport::describeVariables(context);
  return result;
}

// Deep recursion (nesting bounds reached through user-function calls) needs the large
// stack the console also runs on.
void onLargeStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, std::size_t{512} << 20);
  pthread_t thread;
  auto body = [](void* argument) -> void* {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
  };
  if (pthread_create(&thread, &attributes, body, const_cast<std::function<void()>*>(&work)) == 0) {
    pthread_join(thread, nullptr);
  } else {
    work();
  }
  pthread_attr_destroy(&attributes);
}

outcome runOnce(const std::wstring& program, bool scanOnly) {
  outcome result;
  onLargeStack([&] { result = runInContext(program, scanOnly); });
  return result;
}

struct tally {
  unsigned notCompiled = 0;
  unsigned failed = 0;
  unsigned finished = 0;
  unsigned stopped = 0;
  std::size_t printedBytes = 0;
};

// Runs program both ways; true when they agree (failures are reported with the program).
bool agreeBothWays(const std::wstring& program, const std::string& label, tally* counts = nullptr) {
  const outcome tree = runOnce(program, false);
  if (counts != nullptr) {
    if (tree.printed.find("СТАРТ!!!!!!") == std::string::npos) {
      ++counts->notCompiled;
    } else {
      ++(tree.ok ? counts->finished : counts->failed);
    }
    counts->printedBytes += tree.printed.size();
    if (std::getenv("LOCALINTERP_DIFF_SHOW") != nullptr)
      std::cout << label << "\n" << localString::wstringToStdStringMultibyte(program) << "\n---\n" << tree.printed
                << "\n" << tree.variables << "=====\n";
  }
  const outcome scanned = runOnce(program, true);
  if (tree.interrupted || scanned.interrupted) {
    if (counts != nullptr) ++counts->stopped;
    return true;
  }
  const bool same = tree.ok == scanned.ok && tree.state == scanned.state && tree.printed == scanned.printed &&
                    tree.variables == scanned.variables;
  EXPECT_TRUE(same) << label << "\nprogram:\n" << localString::wstringToStdStringMultibyte(program)
                    << "\n--- code engine: ok " << tree.ok << " state " << tree.state << "\n" << tree.printed
                    << "\nvariables:\n" << tree.variables << "\n--- scanner: ok " << scanned.ok << " state "
                    << scanned.state << "\n" << scanned.printed << "\nvariables:\n" << scanned.variables;
  return same;
}

unsigned settingOr(const char* name, unsigned fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

TEST(ProgramDifferential, RandomProgramsRunTheSameBothWays) {
  transcript::TemporaryDirectory directory;
  ASSERT_FALSE(directory.path().empty());
  const std::string includedPath = directory.path() + "/included.prg";
  const workBounds bounds;
  const unsigned count = settingOr("LOCALINTERP_DIFF_PROGRAMS", 250);
  const unsigned first = settingOr("LOCALINTERP_DIFF_SEED", 1);
  unsigned failures = 0;
  tally counts;
  for (unsigned seed = first; seed < first + count && failures < 3; ++seed) {
    const programGenerator::generated program =
        programGenerator::make(seed, localString::stdStringMultibyteToStdWString(includedPath));
    ASSERT_TRUE(transcript::writeBinaryFile(includedPath, localString::wstringToStdStringCp1251(program.included)));
    if (!agreeBothWays(program.main, "seed " + std::to_string(seed), &counts)) ++failures;
  }
  std::cout << "compared " << count << " random programs from seed " << first << ": " << counts.finished
            << " finished, " << counts.failed << " failed while running, " << counts.notCompiled
            << " did not compile, " << counts.stopped << " stopped by the work bound (not compared); "
            << counts.printedBytes << " bytes printed\n";
  // The generator must mostly produce programs that run, and some that fail.
  EXPECT_GE(counts.finished + counts.failed, count * 9 / 10);
  EXPECT_LE(counts.stopped, count / 20);
}

TEST(ProgramDifferential, FixedProgramsRunTheSameBothWays) {
  const wchar_t* const programs[] = {
      // Expression nesting summed over user-function calls reaches its bound first.
      L"FUNCTION R() d = d + 1; x = ((((R())))); ENDFUNCTION;\nd = 0; x = 0; R();",
      // Precedence: MINUS binds looser than PLUS, comparisons loosest; reductions fail
      // before later operands are read.
      L"? 10 - 2 + 3; ? 2 * 3 - 4 / 2 + 1; ? 1 < 2 = 1; a = 1; ? a / 0 + zz;",
      // A call argument that creates a variable while a member chain holds its object.
      L"FUNCTION Mk() NEWVAR = 5; ENDFUNCTION;\nO = CREATEOBJECT('TEST');\n? O.GETINTPLUS(Mk());\n? NEWVAR;",
      // Values keep the fields of earlier kinds: a comparison result stored and reused.
      L"x = 'abc' = 'abc'; y = x; ? TYPEASSTRING(y); s = 'q' + x;",
      // Calls: PI with arguments, unknown functions, methods on non-objects.
      L"? PI(); a = 1; ? a.b; ? nosuch(1, 2); ? PI(1);",
      L"o = CREATEOBJECT('TEST'); ? o.self.GETINT(); ? o.ATTRIBINT.GETINT();",
      // Commas between arguments may be left out; strings compare by character code.
      L"? MAX(1 2, 3); ? 'a' < 'ab'; ? \"x\" + 'y';",
      // Names removed and created again inside a loop; a call that creates variables
      // between two reads of the same name.
      L"FOR i = 1 TO 3 DO a = i; CLEAR MEMORY; ? a; ENDDO;",
      L"FOR i = 1 TO 3 DO a = i * 2; CLEAR MEMORY; i = 2 + 1; a = 7; ? i + a; ENDDO; ? a + i;",
      L"FUNCTION Mk() v1 = 1; v2 = 2; v3 = 3; v4 = 4; v5 = 5; ENDFUNCTION;\nb = 1; ? b + Mk() + b + v5;",
      // Appends whose right side reads the target, or a name that shares its text, or a
      // call that changes it; a variable and a loop counter that change kind mid-loop.
      L"s = 'ab'; t = s; FOR i = 1 TO 3 DO s = s + s; u = s; s = s + 'x'; ? t; ? u; ENDDO;",
      L"FUNCTION F() t = s; s = s + 'k'; ENDFUNCTION;\ns = 'ab'; FOR i = 1 TO 3 DO s = s + STRING(F()); ? t; ENDDO;",
      L"a = 1; FOR i = 1 TO 3 DO a = a + 1; IF i = 2 THEN a = 'x'; ENDIF; ENDDO; ? a;",
      L"FOR i = 1 TO 3 DO ? i; IF i = 2 THEN i = 'x'; ENDIF; ENDDO;",
      L"FOR j = 1 TO 3 DO j = 1 < 2; ENDDO; ? j;",
      // Loop bounds and conditions of other kinds, failing conditions, bracketed leaves.
      L"FOR i = 1 TO 'x' DO ? i; ENDDO;",
      L"FOR k = 'a' TO 3 DO ? k; ENDDO;",
      L"n = 2; i = 0; WHILE (i) <= ((n)) DO i = i + 1; ENDDO; WHILE 6 / (4 - i) > 0 DO i = i + 1; ENDDO;",
      // A table variable given another table, then a number; a class loaded again mid-loop.
      L"ok = CLASSLOAD('VALUETABLE'); V = CREATEOBJECT('VALUETABLE'); k = V.NEWCOLUMN('a'); k = V.NEWLINE();\n"
      L"FOR i = 1 TO 3 DO ? V.GETVALUE(1, 1); ok = CLASSLOAD('VALUETABLE'); IF i = 1 THEN V = CREATEOBJECT('VALUETABLE');"
      L" ELSE V = 4; ENDIF; ENDDO;",
      L"o = CREATEOBJECT('TEST'); FOR i = 1 TO 3 DO ? o.GETINTPLUS(i); LOAD CLASS TEST; IF i = 2 THEN o = 7; ENDIF; ENDDO;",
      // A called function clears the variables the calling loop uses, or sets its counter.
      L"FUNCTION F() CLEAR MEMORY; i = 5; ENDFUNCTION;\nFOR i = 1 TO 3 DO a = i; F(); ? a; ENDDO;",
      // Conditions that end in a comparison with a computed side (compared and jumped on
      // in one instruction), of every kind, failing on either side, in IF and WHILE.
      L"o = CREATEOBJECT('TEST'); s = 'ab'; n = 0; IF STRLEN(s) > 1 THEN ? 1; ENDIF;\n"
      L"IF s + 'c' = 'abc' THEN ? 2; ENDIF; IF 'b' > s + 'c' THEN ? 3; ENDIF;\n"
      L"WHILE n < STRLEN(s) + 1 DO n = n + 1; ENDDO; ? n; IF (n) >= n - 1 THEN ? 4; ENDIF;\n"
      L"IF o.GETINT() <> n THEN ? 5; ENDIF; IF s < STRLEN(s) - 1 THEN ? 6; ENDIF;",
      L"b = 1 < 2; IF b = (1 < 2) THEN ? 3; ENDIF;",
      L"o = CREATEOBJECT('TEST'); n = 1; IF o = n + 1 THEN ? 7; ENDIF;",
      L"o = CREATEOBJECT('TEST'); WHILE o.GETINT() > o DO ENDDO;",
      L"n = 1; WHILE n + 1 < zz DO n = n + 1; ENDDO;",
      L"n = 1; WHILE n < zz + 1 DO n = n + 1; ENDDO;",
      L"FOR i = 1 TO 3 DO IF i * 2 > 3 THEN ? i; ENDIF; IF i = i / (2 - i) THEN ? 0; ENDIF; ENDDO;",
      // The names the evaluator answers itself keep their meaning at every pass of a loop,
      // beside a function declared with one of them and built-ins called by either name.
      L"FUNCTION FORMAT() ? 'mine'; ENDFUNCTION;\n"
      L"FOR i = 1 TO 2 DO ? FORMAT(i, 'x'); ? PI(); ? ЦЕЛ(i / 2) + INT(i / 2); ? format(i, 'y'); ENDDO;",
      // A table's cell methods at one place meeting another table (its name column
      // elsewhere, or added later, a second column of the name added after), both
      // spellings, fractional and computed indexes, the stale fields of a result, an
      // argument that changes the table's variable; then a number, an object of another
      // class, indexes negative, fractional below 1, past the end, of another kind.
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); B = CREATEOBJECT('VALUETABLE');\n"
      L"k = A.NEWCOLUMN('x'); k = A.NEWCOLUMN('y'); k = A.NEWLINE(); k = A.SETVALUE(1, 'y', 'ay');\n"
      L"k = B.NEWCOLUMN('y'); k = B.НОВАЯСТРОКА(); k = B.SETVALUE(1, 1, 'by'); V = A;\n"
      L"FOR i = 1 TO 5 DO IF i = 2 THEN V = B; ENDIF; IF i = 3 THEN k = B.NEWCOLUMN('x'); k = B.NEWCOLUMN('y'); ENDIF;\n"
      L"IF i = 4 THEN V = A; k = A.НОВАЯКОЛОНКА('y'); ENDIF; IF i = 5 THEN V = 3; ENDIF;\n"
      L"? V.GETVALUE(1, 'y'); ? V.ПОЛУЧИТЬЗНАЧЕНИЕ(1.9, V.COLUMNCOUNT()); ? V.КОЛИЧЕСТВОСТРОК(); ENDDO;",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); k = A.NEWCOLUMN('x'); k = A.NEWCOLUMN('y');\n"
      L"FOR i = 1 TO 4 DO k = A.NEWLINE(); ENDDO; k = A.NEWLINE(2.7); n = A.LINESCNT() * 10 + A.COLUMNCOUNT();\n"
      L"FOR i = 1 TO 5 DO k = A.SETVALUE(i, 'y', i * 2); k = A.УСТАНОВИТЬЗНАЧЕНИЕ(i + 0.5, 1, 'a' = 'a');\n"
      L"s = A.GETVALUE(6 - i, 'y') + A.GETVALUE(i, 2); ? s; ? A.GETVALUE(i, 'x'); ENDDO; c = A.GETVALUE(1, 1);\n"
      L"s = A.SETVALUE(1, 2, A); t = A.GETVALUE(1, 2); q = A.SETVALUE(A.GETVALUE(2, 2), t.COLUMNCOUNT(), k); ? q;\n"
      L"FUNCTION F() A = CREATEOBJECT('VALUETABLE'); ENDFUNCTION;\nk = A.SETVALUE(2, 1, F()); ? A.LINESCNT();\n"
      L"k = A.NEWLINE(); k = A.GETVALUE(0 - 1, 1);",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); k = A.NEWCOLUMN('x'); k = A.NEWLINE();\n"
      L"FOR i = 1 TO 2 DO IF i = 2 THEN A = CREATEOBJECT('TEST'); ENDIF; ? A.GETVALUE(1, 1); ENDDO;",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); k = A.NEWCOLUMN('x'); k = A.NEWLINE();\n"
      L"FOR i = 1 TO 3 DO ? A.GETVALUE(1 / i, 1); ENDDO;",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); k = A.NEWCOLUMN('x'); k = A.NEWLINE();\n"
      L"FOR i = 1 TO 3 DO k = A.SETVALUE(i, 'x', i); ENDDO;",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); k = A.NEWCOLUMN('x'); k = A.NEWLINE();\n"
      L"FOR i = 1 TO 3 DO IF i = 3 THEN i = '1'; ENDIF; ? A.GETVALUE(1, i); ENDDO;",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); k = A.NEWCOLUMN('x'); k = A.NEWLINE();\n"
      L"FOR i = 1 TO 3 DO c = 'x'; IF i = 3 THEN c = 'z'; ENDIF; ? A.GETVALUE(1, c); k = A.NEWLINE(i); ENDDO;",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); k = A.NEWLINE(); ? A.SETVALUE(1, 1, nosuch);",
      L"ok = CLASSLOAD('VALUETABLE'); A = CREATEOBJECT('VALUETABLE'); ? A.NEWLINE('2');",
      // The numeric built-ins on numbers in and out of range, fractional and negative, by
      // either name, then on a value of another kind; MAX and MIN of equal numbers and of
      // mixed kinds; a user function of a built-in's name.
      L"FOR i = 1 TO 4 DO x = i * 1.5; IF i = 4 THEN x = 'a'; ENDIF; ? INT(x) + ЦЕЛ(0 - x) + INT(x * 3000000000);\n"
      L"? MAX(x, i) + МИН(i, 2, x) + MIN(i, i - 0); n = MAX(2, i); m = МАКС(x); ENDDO;",
      L"b = 1 < 2; FOR i = 1 TO 2 DO ? MAX(b, b); ? MIN(i, b); ENDDO;",
      L"FUNCTION INT() ? 'mine'; ENDFUNCTION;\nFOR i = 1 TO 2 DO ? INT(i / 2); ? MAX(i); ENDDO;",
      // Deep brackets, each an expression level of its own.
      L"? ((((((((((((((((((((((((((((((1))))))))))))))))))))))))))))));",
  };
  for (const wchar_t* program : programs) agreeBothWays(program, "fixed program");
}

}  // namespace
