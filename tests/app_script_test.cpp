// FILE, -c and --check as scripts and editors use them, in a UTF-8 locale: output that
// survives pipes and files, diagnostics apart on stderr, the closing file:line:column line,
// shebang lines, and the exit status of a piped console.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app_process_support.h"
#include "transcript_codec.h"
#include "transcript_process.h"

namespace {

using appTest::runInterpreter;

const std::string programStart = "СТАРТ!!!!!!:  func: textExec file: localInterpretatorUTF8 line: 2751\n";

// The locale of the runs inside one test.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) {
    if (const char* old = std::getenv("LC_ALL")) saved_ = old;
    setenv("LC_ALL", name, 1);
  }
  ~ScopedLocale() {
    if (saved_) {
      setenv("LC_ALL", saved_->c_str(), 1);
    } else {
      unsetenv("LC_ALL");
    }
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  std::optional<std::string> saved_;
};

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// What a failed run writes on stderr: the closing line, the source line and a caret.
std::string failure(const std::string& closingLine, const std::string& source, std::size_t column) {
  return closingLine + "\n" + source + "\n" + std::string(column - 1, ' ') + "^\n";
}

// A directory holding the given program files.
class ScriptTest : public testing::Test {
 protected:
  void write(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(transcript::writeBinaryFile(work_.path() + "/" + name, bytes));
  }
  appTest::Run run(const std::vector<std::string>& arguments, const std::string& input = "") {
    return runInterpreter(arguments, input, work_.path());
  }
  const std::string& workPath() const { return work_.path(); }

 private:
  ScopedLocale locale_{"C.UTF-8"};
  transcript::TemporaryDirectory work_;
};

TEST_F(ScriptTest, FileFollowsTheLocaleWhereverItsOutputGoes) {
  write("tour_ru.prg", "итог = 0;\nДля н = 1 По 5 Цикл\n  итог = итог + н;\nКонецЦикла;\n? 'итог: ' + Строка(итог);\n");
  // Standard output is a file here, not a terminal: still UTF-8 in and out.
  const appTest::Run run = this->run({"tour_ru.prg"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "итог: 15\n");
  EXPECT_EQ(run.err, "") << "a successful run is quiet";
  EXPECT_EQ(this->run({"--trace", "tour_ru.prg"}).err, programStart);
  const appTest::Run command = this->run({"-c", "? 'Ёж — №1'\nимя = 'café'\n? имя"});
  EXPECT_EQ(command.out, "Ёж — №1\ncafé\n");
  EXPECT_EQ(command.err, "");
}

TEST_F(ScriptTest, WithoutALocaleScriptsSpeakUtf8AndThePipedConsoleCp866) {
  write("cp1251.prg", "? '\xA8\xE6';\n");
  for (const char* plainLocale : {"C", "POSIX", ""}) {
    ScopedLocale plain(plainLocale);
    EXPECT_EQ(run({"cp1251.prg"}).out, "Ёж\n") << plainLocale;
    EXPECT_EQ(run({"-c", "? 'Ёж'"}).out, "Ёж\n") << plainLocale;
    EXPECT_EQ(run({"--encoding=cp866", "-c", "? 'abc'"}).out, "abc\n");
    EXPECT_EQ(run({}, "? '\xF0\xA6'\n").out, "func: main file: main line: 603\nlocalInterpretatorUTF8::console # \xF0\xA6\n"
                                              "localInterpretatorUTF8::console # ");
  }
  // A locale that names its character set is followed, installed or not.
  ScopedLocale missing("xx_XX.UTF-8");
  EXPECT_EQ(run({"-c", "? 'Ёж'"}).out, "Ёж\n");
}

TEST_F(ScriptTest, ThePipedConsoleStaysCp866InAUtf8Locale) {
  const appTest::Run run = this->run({}, "? '\xF0\xA6'\nQUIT\n");
  EXPECT_EQ(run.out, "func: main file: main line: 603\nlocalInterpretatorUTF8::console # \xF0\xA6\n"
                     "localInterpretatorUTF8::console # Good bye!\n");
  EXPECT_EQ(run.status, 0);
}

TEST_F(ScriptTest, ProgramOutputAndListingsOnStdoutTracesOnlyWithTrace) {
  write("mixed.prg",
        "? 'one';\nLOAD CLASS VALUETABLE;\nt = CREATEOBJECT('VALUETABLE');\nc = t.NEWCOLUMN('a');\n"
        "s = t.SORT('a');\nMESSAGE('two');\nDISPLAY MEMORY T;\n? 1/0;\n");
  const appTest::Run quiet = this->run({"mixed.prg"});
  EXPECT_EQ(quiet.status, 1);
  EXPECT_EQ(quiet.err, failure("mixed.prg:8:5: Деление на 0!", "? 1/0;", 5));
  const appTest::Run run = this->run({"--trace", "mixed.prg"});
  EXPECT_EQ(run.out, quiet.out) << "--trace changes nothing on stdout";
  EXPECT_EQ(run.status, 1);
  // LOAD CLASS prints its first line once when it compiles, then when it runs.
  EXPECT_EQ(run.out.rfind("Пытаемся загрузить класс  \none\nПытаемся загрузить класс  \n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("two\n"), std::string::npos);
  EXPECT_NE(run.out.find("var [T] :"), std::string::npos) << "a listing is output";
  EXPECT_EQ(run.out.find("func: "), run.out.find("func: dispMemo")) << "only the listing's own title is a trace";
  EXPECT_EQ(run.out.find("Деление"), std::string::npos);
  // SORT's trace line, the failure's traces and the closing line, in that order.
  EXPECT_NE(run.err.find("Откомпилирована запрограммированная команда"), std::string::npos) << run.err;
  const std::size_t sortTrace = run.err.find(" columnIdx=0 func: sort");
  const std::size_t failed = run.err.find("ERROR!!! func: execute file: localInterpretatorUTF8 line: 446");
  EXPECT_LT(sortTrace, failed);
  EXPECT_TRUE(endsWith(run.err, "line: 1922\n" + failure("mixed.prg:8:5: Деление на 0!", "? 1/0;", 5))) << run.err;
}

TEST_F(ScriptTest, ClosingLineNamesThePartThatFailedAtRunTime) {
  write("loop.prg", "n = 0;\nFOR i = 1 TO 3 DO\n  n = n + 1;\n  ? 10 / (2 - i);\nENDDO;\n");
  EXPECT_EQ(run({"loop.prg"}).err, failure("loop.prg:4:10: Деление на 0!", "  ? 10 / (2 - i);", 10));
  // In a function body of the same file: the unknown variable there, by its name.
  write("body.prg", "PROCEDURE Show()\n  ? missing;\nENDPROCEDURE;\n? 'x';\nShow();\n");
  EXPECT_EQ(run({"body.prg"}).err, failure("body.prg:2:5: Переменная не существует. MISSING", "  ? missing;", 5));
  // A failing condition of WHILE and of IF: the operand, the comparison.
  write("while.prg", "x = 1;\n\nWHILE nosuch > 1 DO\n  x = 2;\nENDDO;\n");
  EXPECT_EQ(run({"while.prg"}).err, failure("while.prg:3:7: Переменная не существует. NOSUCH", "WHILE nosuch > 1 DO", 7));
  write("if.prg", "x = 1;\nIF x = 2 THEN\n  x = 3;\nELSEIF 'a' > 1 THEN\nENDIF;\n");
  EXPECT_EQ(run({"if.prg"}).err, failure("if.prg:4:12: Неверный тип операнда (-ов)!", "ELSEIF 'a' > 1 THEN", 12));
  // A program run by DO fails: the inner file and its line are named.
  write("outer.prg", "? 1;\nDO inner.prg ;\n");
  write("inner.prg", "\n\n   y = nothing + 1;\n");
  const appTest::Run nested = run({"outer.prg"});
  EXPECT_EQ(nested.out, "1\n");
  EXPECT_EQ(nested.err, failure("inner.prg:3:8: Переменная не существует. NOTHING", "   y = nothing + 1;", 8));
}

TEST_F(ScriptTest, DebugRunsTheFileUnderTheDebuggerReadingCommandsFromStandardInput) {
  write("dbg.prg", "#!/usr/bin/env localinterp\nx = 1;\n? x + 1;\n? 1 / 0;\n");
  const appTest::Run stepped = run({"--debug", "dbg.prg"}, "next\nx = 5\ncontinue\n");
  EXPECT_EQ(stepped.out,
            "Остановка перед первым оператором: dbg.prg:2\n->   2  x = 1;\n(отладка) dbg.prg:3\n->   3  ? x + 1;\n"
            "(отладка) (отладка) 6\nПрограмма завершилась с ошибкой.\n");
  EXPECT_EQ(stepped.status, 1);
  EXPECT_EQ(stepped.err, failure("dbg.prg:4:7: Деление на 0!", "? 1 / 0;", 7));
  // quit (here: the end of the input) ends the program as a success.
  const appTest::Run quit = run({"--debug", "dbg.prg"});
  EXPECT_EQ(quit.status, 0);
  EXPECT_TRUE(endsWith(quit.out, "(отладка) Программа остановлена.\n")) << quit.out;
}

TEST_F(ScriptTest, ClosingLineOfACompileFailureNamesTheLineThatLacksTheSemicolon) {
  write("semi.prg", "x = 1;\n? x   // the end of it\n\ny = 2;\n");
  const appTest::Run run = this->run({"semi.prg"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, failure("semi.prg:2:4: Синтаксическая ошибка. Ожидается \";\"", "? x   // the end of it", 4));
  write("stray.prg", "x = 1;\n  ENDIF;\n");
  EXPECT_EQ(this->run({"stray.prg"}).err, failure("stray.prg:2:8: Неизвестный статус возврата ном: 4", "  ENDIF;", 8));
}

TEST_F(ScriptTest, DoOfAMissingFileNamesTheFile) {
  write("main.prg", "? 1;\n\nDO nosuch.prg ;\n");
  const appTest::Run run = this->run({"main.prg"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, failure("main.prg:3:1: nosuch.prg: Файл не найден.", "DO nosuch.prg ;", 1));
  const appTest::Run command = this->run({"-c", "? 1\n  DO nosuch.prg"});
  EXPECT_EQ(command.out, "1\n");
  EXPECT_EQ(command.err, failure("-c:2:3: nosuch.prg: Файл не найден.", "  DO nosuch.prg", 3));
}

TEST_F(ScriptTest, CommandTextReportsEachFailedLineAndGoesOn) {
  const appTest::Run run = this->run({"-c", "? nosuch\n? 2\n  x = 1 + 'a'"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "2\n");
  EXPECT_EQ(run.err, failure("-c:1:3: Переменная не существует. NOSUCH", "? nosuch", 3) +
                         failure("-c:3:9: Синтаксическая ошибка.", "  x = 1 + 'a'", 9));
  EXPECT_EQ(this->run({"--trace", "-c", "? nosuch\n? 2\n  x = 1 + 'a'"}).err,
            "ERROR!!! func: scanStringGetOperatorAndExec file: localInterpretatorUTF8 line: 1855\n" +
                failure("-c:1:3: Переменная не существует. NOSUCH", "? nosuch", 3) +
                "Syntax ERROR in line lineNumber!!! func: scanStringGetOperatorAndExec file: localInterpretatorUTF8 "
                "line: 1897\n" +
                failure("-c:3:9: Синтаксическая ошибка.", "  x = 1 + 'a'", 9));
}

TEST_F(ScriptTest, CheckCompilesWithoutRunningAndReportsInTheEditorsForm) {
  write("good.prg", "#!/usr/bin/env localinterp\n? 'ran';\nFUNCTION F() ? 1; ENDFUNCTION;\nDO nosuch.prg ;\n");
  const appTest::Run good = run({"--check", "good.prg"});
  EXPECT_EQ(good.status, 0);
  EXPECT_EQ(good.out, "");
  EXPECT_EQ(good.err, "");
  write("bad.prg", "x = 1;\nIF x > 1 THEN\n  ? 'big';\n");
  const appTest::Run bad = run({"--check", "bad.prg"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "bad.prg:4:1: Синтаксическая ошибка. Ожидается ключевое слово \"КОНЕЦЕСЛИ\" (\"endif\") \n");
  write("semi.prg", "x = 1\ny = 2;\n");
  EXPECT_EQ(run({"--check", "semi.prg"}).err, "semi.prg:1:6: Синтаксическая ошибка. Ожидается \";\"\n");
  // Warnings: one line each with their name; only --strict fails on them.
  write("twice.prg", "FUNCTION Twice(x)\n  r = x * 2;\nENDFUNCTION;\n? Twice(21);  // nowarn: call-arguments\n");
  const appTest::Run warned = run({"--check", "twice.prg"});
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.err, "twice.prg:1:16: warning: the parameters of Twice receive no values: a call passes none; "
                        "pass values in variables the caller sets [ignored-parameters]\n");
  EXPECT_EQ(run({"--strict", "twice.prg"}).status, 1);
  EXPECT_EQ(run({"--strict", "good.prg"}).status, 0);
  const appTest::Run lines = run({"--check", "-c", "? 1e3\nx = 1"});
  EXPECT_EQ(lines.status, 0);
  EXPECT_EQ(lines.err, "-c:1:4: warning: ignored after the statement: e3 [ignored-text]\n");
  EXPECT_EQ(run({"--check", "missing.prg"}).status, 2);
  EXPECT_EQ(run({"--check"}).status, 2);
}

TEST_F(ScriptTest, ShebangLineIsSkippedAndLinesKeepTheirNumbers) {
  write("script.prg", "#!/usr/bin/env localinterp\n? 'hello';\n? nosuch;\n");
  const appTest::Run run = this->run({"script.prg"});
  EXPECT_EQ(run.out, "hello\n");
  EXPECT_EQ(run.err, failure("script.prg:3:3: Переменная не существует. NOSUCH", "? nosuch;", 3));
  // Only the command line's FILE may have one: DO reads the line as a statement.
  write("caller.prg", "DO script.prg ;\n");
  EXPECT_EQ(this->run({"caller.prg"}).err,
            failure("script.prg:1:1: Синтаксическая ошибка.", "#!/usr/bin/env localinterp", 1));
}

TEST_F(ScriptTest, PipedConsoleExitsWithOneWhenALineFailed) {
  EXPECT_EQ(run({}, "? 1\n? 2\n").status, 0);
  EXPECT_EQ(run({}, "? 1\nQUIT\n").status, 0);
  const appTest::Run failed = run({}, "? nosuch\n? 2\nQUIT\n");
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.out.find("Error "), std::string::npos) << "the console keeps everything on stdout";
  EXPECT_EQ(failed.err, "");
  EXPECT_EQ(run({"--encoding=utf8"}, "? 'a\xFF'\n").status, 1);
  EXPECT_EQ(run({"-i", "-c", "x = 1"}, "? x\n? y\n").status, 1);
}

TEST_F(ScriptTest, MostlyUtf8FileWithAStrayByteIsReadAsCp1251WithAWarning) {
  write("stray.prg", "// Комментарий \xFF\n? 'Ёж';\n\n");
  const appTest::Run run = this->run({"stray.prg"});
  EXPECT_NE(run.err.find("localinterp: warning: stray.prg:1: byte 0xFF is not UTF-8; the file is read as CP1251\n"),
            std::string::npos)
      << run.err;
  // A CP1251 file is no UTF-8 at all: read without a word.
  write("cp1251.prg", "? '\xA8\xE6';\n");
  const appTest::Run plain = this->run({"cp1251.prg"});
  EXPECT_EQ(plain.out, "Ёж\n");
  EXPECT_EQ(plain.err, "");
}

}  // namespace

namespace {

const std::string consolePrompt = "localInterpretatorUTF8::console # ";

TEST_F(ScriptTest, IgnoredTextIsToldOnStderrWhileStdoutStaysAsItWas) {
  const appTest::Run run = this->run({}, "? 1e3\nx = 2^10\n? 7 % 3 // note\n? 1;\nDISPLAY MEMORY X*\n? x\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("func: main file: main line: 603\n" + consolePrompt + "1\n" + consolePrompt +
                              consolePrompt + "7\n" + consolePrompt + "1\n" + consolePrompt + "\n",
                          0),
            0u)
      << run.out;
  EXPECT_EQ(run.err,
            "localinterp: warning: ignored after the statement: e3\n"
            "localinterp: warning: ignored after the statement: ^10\n"
            "localinterp: warning: ignored after the statement: % 3 // note\n");
  // The same in -c; a command's rest is its template, not ignored text.
  const appTest::Run command = this->run({"-c", "? 2 2\nLOAD CLASS VALUETABLE extra"});
  EXPECT_EQ(command.err, "localinterp: warning: ignored after the statement: 2\n");
}

TEST_F(ScriptTest, BlocksRunFromAPipeAsDoRunsAProgram) {
  const std::string program =
      "total = 0;\n"
      "FOR i = 1 TO 5 DO\n  total = total + i;\nENDDO;\n"
      "IF total > 10 THEN\n  ? 'big: ' + STRING(total);\nELSE\n  ? 'small';\nENDIF\n"
      "while = 2\n"
      "PROCEDURE Show() // shows it\n  ? 'total is ' + STRING(total);\nENDPROCEDURE;\n"
      "Show();\n";
  const appTest::Run run = this->run({}, program);
  EXPECT_EQ(run.status, 0) << run.out;
  const std::string start = "СТАРТ!!!!!!:  func: textExec file: localInterpretatorUTF8 line: 2751\n";
  // Continuation lines get no prompt from a pipe; a block prints what DO prints.
  EXPECT_EQ(transcript::decodeConsoleOutput(run.out), "func: main file: main line: 603\n" + consolePrompt + consolePrompt + start +
                                            consolePrompt + start + "big: 15\n" + consolePrompt + consolePrompt +
                                            start + consolePrompt + "total is 15\n" + consolePrompt);
  EXPECT_EQ(run.err, "");
  // An IF of console lines no longer runs both branches.
  const appTest::Run failing = this->run({}, "IF 1 > 2 THEN\n? 'no';\nELSE\n? nosuch;\nENDIF;\n? 'after'\n");
  EXPECT_EQ(failing.status, 1);
  EXPECT_EQ(transcript::decodeConsoleOutput(failing.out).find("no\n"), std::string::npos);
  EXPECT_NE(transcript::decodeConsoleOutput(failing.out).find("Error Переменная не существует.\n" + consolePrompt + "after\n"),
            std::string::npos);
  // A block still open at the end of the input is compiled, and its failure reported.
  const appTest::Run open = this->run({}, "WHILE 1 > 2 DO\n? 1;\n");
  EXPECT_EQ(open.status, 1);
}

TEST_F(ScriptTest, BlocksInCommandTextAndTheirClosingLine) {
  const appTest::Run run = this->run({"-c", "n = 0\nДля н = 1 По 3 Цикл\n  n = n + н;\nКонецЦикла;\n? n\n"
                                            "IF n > 1 THEN\n  ? 'ok';\n  ? 1/0;\nENDIF\n? 'last'"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "6\nok\nlast\n");
  EXPECT_EQ(run.err, failure("-c:8:7: Деление на 0!", "  ? 1/0;", 7));
}

}  // namespace

namespace {

// Through a real pipe, as `localinterp prog.prg | cat` in a shell.
TEST_F(ScriptTest, OutputThroughAPipeIsTheProgramsOutputOnly) {
  write("tour.prg", "? 'итог: ' + STRING(15);\n? nosuch;\n");
  const std::string binary = std::filesystem::absolute(LOCALINTERP_BINARY).string();
  transcript::TemporaryDirectory streams;
  ASSERT_TRUE(transcript::writeBinaryFile(streams.path() + "/in", ""));
  const transcript::ProcessResult piped = transcript::runProcess(
      "/bin/sh", {"-c", "\"$0\" tour.prg 2>&1 >/dev/null | cat >only-errors.txt; \"$0\" tour.prg | cat", binary},
      workPath(), streams.path() + "/in", streams.path() + "/out", streams.path() + "/err", std::chrono::seconds(20));
  ASSERT_TRUE(piped.exited);
  std::string out;
  std::string errorsOnly;
  transcript::readBinaryFile(streams.path() + "/out", out);
  transcript::readBinaryFile(workPath() + "/only-errors.txt", errorsOnly);
  EXPECT_EQ(out, "итог: 15\n");
  EXPECT_EQ(errorsOnly, failure("tour.prg:2:3: Переменная не существует. NOSUCH", "? nosuch;", 3));
}

}  // namespace

namespace {

TEST_F(ScriptTest, FailuresOfTheTrapsComeWithAHint) {
  write("table.prg", "LOAD CLASS VALUETABLE;\nt = CREATEOBJECT('VALUETABLE');\nt.NEWCOLUMN(\"a\");\n");
  const appTest::Run call = run({"table.prg"});
  EXPECT_EQ(call.status, 1);
  EXPECT_EQ(call.err, failure("table.prg:3:2: Синтаксическая ошибка.", "t.NEWCOLUMN(\"a\");", 2) +
                          "hint: a method call is not a statement in a program; assign its result: "
                          "r = t.NEWCOLUMN(\"a\");\n");
  write("and.prg", "a = 2;\nb = 2;\nIF a > 1 AND b > 1 THEN\n  ? 'both';\nENDIF;\n");
  const appTest::Run both = run({"and.prg"});
  EXPECT_TRUE(endsWith(both.err, "            ^\nhint: the language has no AND or OR; nest the conditions instead: IF a > 1 "
                                 "THEN IF b > 1 THEN ... ENDIF; ENDIF; (see \"AND and OR by nesting\" in the reference's recipes.md)\n"))
      << both.err;
}

TEST_F(ScriptTest, AFileThatHoldsNoTextIsRefusedInOneLine) {
  write("image.prg", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + std::string(4000, '\x01'));
  const appTest::Run image = run({"image.prg"});
  EXPECT_EQ(image.status, 2);
  EXPECT_EQ(image.out, "");
  EXPECT_EQ(image.err, "localinterp: image.prg: not a program text (a zero byte at offset 8)\n");
  EXPECT_EQ(run({"--check", "image.prg"}).status, 2);
  // A line of -c that is not UTF-8 is not run, and said so with its place.
  const appTest::Run command = run({"-c", "? 1\n? 'a\xFF'\n? 3"});
  EXPECT_EQ(command.status, 1);
  EXPECT_EQ(command.out, "1\n3\n");
  EXPECT_EQ(command.err, "-c:2:5: Строка не в кодировке UTF-8 (байт 0xFF), она не выполнена.\n");
}

// Ctrl-C through a shell, once the loop is running (its trace line has come).
TEST_F(ScriptTest, CtrlCSaysTheRunWasInterruptedAndWhere) {
  const std::string binary = std::filesystem::absolute(LOCALINTERP_BINARY).string();
  transcript::TemporaryDirectory streams;
  ASSERT_TRUE(transcript::writeBinaryFile(streams.path() + "/in", ""));
  const transcript::ProcessResult result = transcript::runProcess(
      "/bin/sh",
      {"-c",
       "\"$0\" --trace -c 'n = 0\nWHILE 1 = 1 DO\n  n = n + 1;\nENDDO' 2>err.txt & pid=$!\n"
       "until [ -s err.txt ]; do sleep 0.05; done; sleep 0.2; kill -INT $pid; wait $pid; echo $?",
       binary},
      workPath(), streams.path() + "/in", streams.path() + "/out", streams.path() + "/err", std::chrono::seconds(20));
  ASSERT_TRUE(result.exited);
  std::string status;
  std::string err;
  transcript::readBinaryFile(streams.path() + "/out", status);
  transcript::readBinaryFile(workPath() + "/err.txt", err);
  EXPECT_EQ(status, "130\n");
  EXPECT_TRUE(endsWith(err, "\n" + failure("-c:2:1: Выполнение прервано пользователем (Ctrl-C).", "WHILE 1 = 1 DO", 1)))
      << err;
}

}  // namespace
