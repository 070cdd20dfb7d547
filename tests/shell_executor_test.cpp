// The statement and command executor: the abbreviation rule, the file-name scanner, and
// the recognition of commands in check-only mode, where the compiler relies on exactly
// where each command ends and on nothing being carried out.
#include <gtest/gtest.h>

#include <string>

#include "interp/localInterpretatorUTF8.h"
#include "shell_test_support.h"

namespace {

using shellTest::CoutCapture;
using shellTest::SystemRecorder;

TEST(ShellWordCorrespondsTo, AbbreviationRule) {
  EXPECT_TRUE(localInterpretatorUTF8::wordCorrespondsTo(L"DISP", L"DISPLAY"));
  EXPECT_TRUE(localInterpretatorUTF8::wordCorrespondsTo(L"DISPL", L"DISPLAY"));
  EXPECT_TRUE(localInterpretatorUTF8::wordCorrespondsTo(L"DISPLAY", L"DISPLAY"));
  EXPECT_TRUE(localInterpretatorUTF8::wordCorrespondsTo(L"HELP", L"HELP"));
  // Fewer than four letters, longer than the keyword, or a different beginning.
  EXPECT_FALSE(localInterpretatorUTF8::wordCorrespondsTo(L"DIS", L"DISPLAY"));
  EXPECT_FALSE(localInterpretatorUTF8::wordCorrespondsTo(L"HEL", L"HELP"));
  EXPECT_FALSE(localInterpretatorUTF8::wordCorrespondsTo(L"DISPLAYS", L"DISPLAY"));
  EXPECT_FALSE(localInterpretatorUTF8::wordCorrespondsTo(L"DIRS", L"DIRECTORY"));
  EXPECT_FALSE(localInterpretatorUTF8::wordCorrespondsTo(L"", L"DO"));
  // The comparison is exact; callers upper-case the word first.
  EXPECT_FALSE(localInterpretatorUTF8::wordCorrespondsTo(L"disp", L"DISPLAY"));
}

struct FileNameCase {
  std::wstring text;
  unsigned start;
  std::wstring name;
  unsigned end;
  localReturnStateType state;
};

TEST(ShellFilenameToken, NamesAndWhereTheyEnd) {
  const FileNameCase cases[] = {
      {L"", 0, L"", 0, localErrorTypeOK},
      {L"   ", 0, L"", 3, localErrorTypeOK},
      {L"x.prg", 0, L"x.prg", 5, localErrorTypeOK},
      {L"  x.prg rest", 0, L"x.prg", 8, localErrorTypeOK},     // the blank after it is consumed
      {L"x.prg\ty", 0, L"x.prg", 6, localErrorTypeOK},
      {L"x.prg\ny", 0, L"x.prg", 6, localErrorTypeOK},
      {L"x.prg;", 0, L"x.prg;", 6, localErrorTypeOK},          // a semicolon belongs to the name
      {L"\"my file.prg\" ;", 0, L"my file.prg", 13, localErrorTypeOK},
      {L"'my file.prg'", 0, L"'my", 4, localErrorTypeOK},      // only double quotes quote
      {L"\"unterminated", 0, L"", 13, localErrorTypeSYNTAX},
      {L"DO  a.prg", 2, L"a.prg", 9, localErrorTypeOK},
      {L"a\rb c", 0, L"a\rb", 4, localErrorTypeOK},            // a carriage return is no separator
  };
  for (const FileNameCase& c : cases) {
    localReturnStateType state = localErrorTypeCODE;  // the scanner resets it
    unsigned position = c.start;
    const std::wstring name = localInterpretatorUTF8::scanStringGetFilenameToken(state, c.text, position);
    EXPECT_EQ(name, c.name) << "text index " << (&c - cases);
    EXPECT_EQ(position, c.end) << "text index " << (&c - cases);
    EXPECT_EQ(state, c.state) << "text index " << (&c - cases);
  }
}

struct CheckOnlyCase {
  std::wstring text;
  unsigned start;
  unsigned end;  // where the position must stand afterwards
};

// Every command is recognised and ends where the compiler expects it; nothing prints,
// nothing reaches the command processor and the state stays as it was.
TEST(ShellCheckOnly, CommandsEndWhereTheTableSays) {
  const CheckOnlyCase cases[] = {
      {L"DO x.prg ;", 0, 9},
      {L"DO x.prg;", 0, 9},
      {L"DO \"a b.prg\" ;", 0, 12},
      {L"HELP ;", 0, 5},
      {L"HELP;", 0, 4},
      {L"help ;", 0, 5},
      {L"CLEAR MEMORY NU* ;", 0, 13},
      {L"CLEA MEMO;", 0, 9},
      {L"DIR ;", 0, 4},
      {L"DIRECTORY ;", 0, 10},
      {L"DIREC;", 0, 5},
      {L"DISPLAY FUNCTION M* ;", 0, 17},     // the template is not consumed
      {L"DISP MEMO NU* ;", 0, 13},           // after the template
      {L"DISPLAY MEMORY ;", 0, 15},
      {L"DISPLAY MEMORY N?X*Y_1 ;", 0, 22},
      {L"DISPLAY CLASS ;", 0, 14},
      {L"DISP CONT ;", 0, 10},
      {L"LOAD CONTEXT ;", 0, 13},
      {L"MODIFY COMMAND x.txt ;", 0, 15},    // at the start of the file name
      {L"MODI COMM   x.txt", 0, 12},
      {L"QUIT ;", 0, 5},
      {L"RUN notepad ;", 0, 11},             // after the word, blanks not skipped
      {L"RUN \"notepad main.prg\" ;", 0, 23},
      {L"RUN ;", 0, 4},
      {L"x = 1; HELP ;", 7, 12},
      {L"  // note\n  QUIT ;", 0, 17},
  };
  for (const CheckOnlyCase& c : cases) {
    SystemRecorder recorder;
    CoutCapture capture;
    localReturnStateType state = localErrorTypeOK;
    unsigned position = c.start;
    const bool ok = localInterpretatorUTF8::scanStringGetOperatorAndExec(state, c.text, position, nullptr, true);
    const std::string printed = capture.text();
    EXPECT_TRUE(ok) << "text index " << (&c - cases);
    EXPECT_EQ(position, c.end) << "text index " << (&c - cases);
    EXPECT_EQ(state, localErrorTypeOK) << "text index " << (&c - cases);
    EXPECT_EQ(printed, "") << "text index " << (&c - cases);
    EXPECT_TRUE(recorder.lines.empty()) << "text index " << (&c - cases);
  }
}

// Statements that are no commands leave the position where the scan started, so the
// compiler treats them as assignments, prints or calls.
TEST(ShellCheckOnly, OtherStatementsGoBackToTheStart) {
  const CheckOnlyCase cases[] = {
      {L"X = 1;", 0, 0},   {L"? X;", 0, 0},        {L"  ? X;", 0, 0},    {L"F(1);", 0, 0},
      {L"DIS MEMO;", 0, 0}, {L"DIRS;", 0, 0},       {L"HEL;", 0, 0},      {L"QUI;", 0, 0},
      {L"a=1; X = 2;", 5, 5}, {L"", 0, 0},          {L"   ", 0, 0},       {L"obj.attr = 1;", 0, 0},
  };
  for (const CheckOnlyCase& c : cases) {
    CoutCapture capture;
    localReturnStateType state = localErrorTypeOK;
    unsigned position = c.start;
    EXPECT_TRUE(localInterpretatorUTF8::scanStringGetOperatorAndExec(state, c.text, position, nullptr, true))
        << "text index " << (&c - cases);
    EXPECT_EQ(position, c.end) << "text index " << (&c - cases);
    EXPECT_EQ(capture.text(), "") << "text index " << (&c - cases);
  }
}

TEST(ShellCheckOnly, MalformedCommandsFail) {
  const std::wstring texts[] = {L"DO", L"DO   ", L"DO \"open", L"CLEAR X", L"CLEAR", L"DISPLAY FOO",
                                L"LOAD", L"MODIFY x.txt", L"MODIFY COMMAND", L"MODIFY COMMAND   ",
                                L"RUN \"open"};
  for (const std::wstring& text : texts) {
    CoutCapture capture;
    localReturnStateType state = localErrorTypeOK;
    unsigned position = 0;
    EXPECT_FALSE(localInterpretatorUTF8::scanStringGetOperatorAndExec(state, text, position, nullptr, true))
        << std::string(text.begin(), text.end());
    EXPECT_EQ(state, localErrorTypeSYNTAX) << std::string(text.begin(), text.end());
  }
}

TEST(ShellCheckOnly, LoadClassPrintsOnlyItsFirstLine) {
  CoutCapture capture;
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  const std::wstring text = L"LOAD CLASS TEST ;";
  EXPECT_TRUE(localInterpretatorUTF8::scanStringGetOperatorAndExec(state, text, position, nullptr, true));
  EXPECT_EQ(position, 15u);
  EXPECT_EQ(capture.text(), "Пытаемся загрузить класс  \n");
}

}  // namespace
