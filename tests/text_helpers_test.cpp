#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "core/localFileReader.h"
#include "text/localString.h"

using namespace localString;

TEST(TextHelpers, BlanksAndTrimming) {
  EXPECT_TRUE(isSpaceChar(L"\t \n", 0));
  EXPECT_TRUE(isSpaceChar(L"\t \n", 1));
  EXPECT_TRUE(isSpaceChar(L"\t \n", 2));
  EXPECT_FALSE(isSpaceChar(L"\r", 0));
  EXPECT_FALSE(isSpaceChar(L"\xA0", 0));
  EXPECT_FALSE(isSpaceChar(L" ", 1));  // past the end
  EXPECT_EQ(trimL(L"   a b"), L"a b");
  EXPECT_EQ(trimR(L"a b\t\n"), L"a b");
  EXPECT_EQ(trimR(L"a\r"), L"a\r");
  EXPECT_EQ(trimL(L" \t\n "), L"");
  EXPECT_EQ(trimR(L" \t\n "), L"");
  EXPECT_EQ(rightView(L"ab", 5), L"ab");
  EXPECT_EQ(rightView(L"abcdef", 2), L"ef");
  EXPECT_EQ(rightView(L"abc", 0), L"");
}

TEST(TextHelpers, UpperCase) {
  EXPECT_EQ(wstringToUpper(L"ёлка"), L"ЁЛКА");
  EXPECT_EQ(wstringToUpper(L"az09_.,\x456\xE9"), L"AZ09_.,\x456\xE9");
  EXPECT_EQ(wcharToUpper(L'а'), L'А');
  EXPECT_EQ(wcharToUpper(L'я'), L'Я');
  EXPECT_EQ(wcharToUpper(L'\x450'), L'\x450');
  EXPECT_EQ(wcharToUpper(L'\x45F'), L'\x45F');
  EXPECT_EQ(wcharToUpper(L'`'), L'`');
  EXPECT_EQ(wcharToUpper(L'{'), L'{');
}

TEST(TextHelpers, LinesAndPositions) {
  const std::wstring text = L"a\nb";
  unsigned start = 99;
  EXPECT_EQ(getLineNumberByPos(text, 0, start), 1u);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(getLineNumberByPos(text, 1, start), 2u);  // the line feed counts to the next line
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(getLineNumberByPos(text, 2, start), 2u);
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(getLineNumberByPos(text, 10, start), 2u);
  EXPECT_EQ(getLineNumberByPos(L"", 5, start), 1u);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(getLineNumberByPos(L"x\n\n\ny", 4, start), 4u);
  EXPECT_EQ(start, 4u);

  EXPECT_EQ(getLineFromPos(text, 0), L"a");
  EXPECT_EQ(getLineFromPos(text, 2), L"b");
  EXPECT_EQ(getLineFromPos(text, 1), L"");
  EXPECT_EQ(getLineFromPos(text, 3), L"");
  EXPECT_EQ(getLineFromPos(text, 100), L"");

  EXPECT_EQ(newLineMarker(), L"\n");
  unsigned pos = 1;
  EXPECT_TRUE(isNewLineMarker(text, pos));
  pos = 0;
  EXPECT_FALSE(isNewLineMarker(text, pos));
  pos = 3;
  EXPECT_FALSE(isNewLineMarker(text, pos));
  pos = 4000000000u;
  EXPECT_FALSE(isNewLineMarker(text, pos));
}

TEST(TextHelpers, Templates) {
  EXPECT_TRUE(wordCorrespondsToTemplate(L"NU", L"NU*"));
  EXPECT_TRUE(wordCorrespondsToTemplate(L"NUMBER", L"NU*"));
  EXPECT_FALSE(wordCorrespondsToTemplate(L"N", L"NU*"));
  EXPECT_TRUE(wordCorrespondsToTemplate(L"NU", L"N?"));
  EXPECT_FALSE(wordCorrespondsToTemplate(L"N", L"N?"));
  EXPECT_FALSE(wordCorrespondsToTemplate(L"NUM", L"N?"));
  EXPECT_TRUE(wordCorrespondsToTemplate(L"", L"*"));
  EXPECT_TRUE(wordCorrespondsToTemplate(L"ANY", L"*"));
  EXPECT_TRUE(wordCorrespondsToTemplate(L"", L""));
  EXPECT_FALSE(wordCorrespondsToTemplate(L"A", L""));
  EXPECT_TRUE(wordCorrespondsToTemplate(L"AXYZ", L"A*B"));
  EXPECT_FALSE(wordCorrespondsToTemplate(L"abc", L"ABC"));
  EXPECT_FALSE(wordCorrespondsToTemplate(L"AB", L"ABC"));
}

TEST(TextHelpers, NumbersAsText) {
  EXPECT_EQ(doubleToStdWString(4), L"4");
  EXPECT_EQ(doubleToStdWString(-0.5), L"-0.5");
  EXPECT_EQ(doubleToStdWString(1.0 / 3), L"0.333333333333333");
  EXPECT_EQ(doubleToStdWString(0.1), L"0.1");
  EXPECT_EQ(doubleToStdWString(1e15), L"1e+015");
  EXPECT_EQ(doubleToStdWString(1e14), L"100000000000000");
  EXPECT_EQ(doubleToStdWString(0.00001), L"1e-005");
  EXPECT_EQ(doubleToStdWString(0.0001), L"0.0001");
  EXPECT_EQ(doubleToStdWString(2.5e20), L"2.5e+020");
  EXPECT_EQ(doubleToStdWString(1e300), L"1e+300");
  EXPECT_EQ(doubleToStdWString(-1.5e-300), L"-1.5e-300");
  EXPECT_EQ(doubleToStdWString(0.0), L"0");
  EXPECT_EQ(doubleToStdWString(4294967295.0), L"4294967295");
  EXPECT_EQ(doubleToStdWString(std::numeric_limits<double>::infinity()), L"inf");
  EXPECT_EQ(doubleToStdWString(-std::numeric_limits<double>::infinity()), L"-inf");
  EXPECT_EQ(doubleToStdWString(std::numeric_limits<double>::quiet_NaN()), L"nan");
  EXPECT_EQ(doubleToStdWString(-std::numeric_limits<double>::quiet_NaN()), L"nan");

  EXPECT_EQ(doubleToStdWStringDefault(1.0 / 3), L"0.333333");
  EXPECT_EQ(doubleToStdWStringDefault(1234567), L"1.23457e+006");
  EXPECT_EQ(doubleToStdWStringDefault(123456), L"123456");
  EXPECT_EQ(doubleToStdWStringDefault(-2.5), L"-2.5");
  EXPECT_EQ(doubleToStdWStringDefault(std::numeric_limits<double>::infinity()), L"inf");
}

TEST(TextHelpers, PointersAsText) {
  EXPECT_EQ(pointerToStdWString(nullptr), L"0");
  EXPECT_EQ(pointerToStdWString(reinterpret_cast<const void*>(0x1a2bUL)), L"0x1a2b");
  EXPECT_EQ(pointerToStdWString(reinterpret_cast<const void*>(0xABCDEF0123UL)), L"0xabcdef0123");
}

class TextReadFromFile : public testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() /
                 ("localinterp-read-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::wstring write(const std::string& name, const std::string& content) {
    std::ofstream(directory_ / name, std::ios::binary) << content;
    const std::string path = (directory_ / name).string();
    return stdStringMultibyteToStdWString(path);
  }

  std::filesystem::path directory_;
};

TEST_F(TextReadFromFile, LineEndsAndCp1251Letters) {
  localReturnStateType state = localErrorTypeOK;
  std::wstring text = L"kept:";
  ASSERT_TRUE(readFromFile(state, write("crlf.prg", "\xC0\xE1\xE2\xA8\xB8\r\nx = 1;\r\n"), text));
  EXPECT_EQ(text, L"kept:АбвЁё\nx = 1;\n");
  EXPECT_EQ(state, localErrorTypeOK);

  text.clear();
  ASSERT_TRUE(readFromFile(state, write("noeol.prg", "a\nb"), text));
  EXPECT_EQ(text, L"a\nb\n");

  text.clear();
  ASSERT_TRUE(readFromFile(state, write("blank.prg", "a\n\n\r\r\nz\r"), text));
  EXPECT_EQ(text, L"a\n\n\r\nz\r\n");  // only one CR directly before LF goes

  text = L"x";
  ASSERT_TRUE(readFromFile(state, write("empty.prg", ""), text));
  EXPECT_EQ(text, L"x");

  text.clear();
  ASSERT_TRUE(readFromFile(state, write("\xD0\x98\xD0\xBC\xD1\x8F.prg", "ok"), text));  // Cyrillic name
  EXPECT_EQ(text, L"ok\n");
}

TEST_F(TextReadFromFile, FilesThatCannotBeRead) {
  localReturnStateType state = localErrorTypeOK;
  std::wstring text = L"unchanged";
  EXPECT_FALSE(readFromFile(state, write("x", "") + L"missing", text));
  EXPECT_EQ(state, localErrorTypeFILEnotFound);
  EXPECT_EQ(text, L"unchanged");

  state = localErrorTypeOK;
  EXPECT_FALSE(readFromFile(state, stdStringMultibyteToStdWString(directory_.string()), text));
  EXPECT_EQ(state, localErrorTypeFILEnotFound);

  // A name with a zero character must not open the file named by its first part.
  state = localErrorTypeOK;
  const std::wstring real = write("real.prg", "secret");
  EXPECT_FALSE(readFromFile(state, real + std::wstring(1, L'\0') + L"tail", text));
  EXPECT_EQ(state, localErrorTypeFILEnotFound);

  state = localErrorTypeOK;
  EXPECT_FALSE(readFromFile(state, L"", text));
  EXPECT_EQ(state, localErrorTypeFILEnotFound);
  EXPECT_EQ(text, L"unchanged");
}
