// UTF-8 for a console in UTF-8 mode: strict decoding of input, encoding of every
// character, and the multibyte form and the program-file reader switching with the mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/localFileReader.h"
#include "text/localString.h"
#include "text/localUtf8.h"
#include "transcript_process.h"

namespace {

// Turns UTF-8 mode on for one test and back off afterwards.
class Utf8Mode {
 public:
  Utf8Mode() { localString::setUtf8Mode(true); }
  ~Utf8Mode() { localString::setUtf8Mode(false); }
  Utf8Mode(const Utf8Mode&) = delete;
  Utf8Mode& operator=(const Utf8Mode&) = delete;
};

TEST(TextUtf8, EveryCharacterRoundTrips) {
  const std::wstring text = L"aЁж—№€é\u00FF\u0456\uFFFD\U0001F600";
  const std::string bytes = localString::wstringToUtf8(text);
  EXPECT_EQ(bytes,
            "a\xD0\x81\xD0\xB6\xE2\x80\x94\xE2\x84\x96\xE2\x82\xAC\xC3\xA9\xC3\xBF\xD1\x96\xEF\xBF\xBD"
            "\xF0\x9F\x98\x80");
  std::wstring back;
  std::size_t bad = 0;
  ASSERT_TRUE(localString::utf8ToWstring(bytes, back, bad));
  EXPECT_EQ(back, text);
  // What UTF-8 cannot carry becomes the replacement character.
  EXPECT_EQ(localString::wstringToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(localString::wstringToUtf8(std::wstring(1, static_cast<wchar_t>(-1))), "\xEF\xBF\xBD");
}

TEST(TextUtf8, MalformedBytesAreFoundWithTheirOffset) {
  const struct {
    std::string bytes;
    std::size_t offset;
  } cases[] = {
      {"ab\xFF", 2},            // never in UTF-8
      {"\x80", 0},              // continuation without a lead
      {"a\xC0\xAF", 1},         // overlong slash
      {"\xE0\x80\xAF", 0},      // overlong, three bytes
      {"\xED\xA0\x80", 0},      // surrogate
      {"\xF4\x90\x80\x80", 0},  // beyond U+10FFFF
      {"x\xD0", 1},             // cut at the end
      {"\xE2\x80x", 0},         // cut by an ASCII byte
  };
  for (const auto& bad : cases) {
    std::wstring text;
    std::size_t offset = 99;
    EXPECT_FALSE(localString::utf8ToWstring(bad.bytes, text, offset)) << bad.bytes;
    EXPECT_EQ(offset, bad.offset) << bad.bytes;
    EXPECT_FALSE(localString::isValidUtf8(bad.bytes));
  }
  EXPECT_TRUE(localString::isValidUtf8(""));
  EXPECT_EQ(localString::utf8ToWstringLenient(std::string("a\xFF\xD0\x81\0b", 6)), L"a\uFFFDЁ");
}

TEST(TextUtf8, ModeSwitchesTheMultibyteFormOnly) {
  EXPECT_EQ(localString::wstringToStdStringMultibyte(L"é€"), "\xE9\xFF");
  {
    Utf8Mode mode;
    EXPECT_EQ(localString::wstringToStdStringMultibyte(L"é€"), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(localString::wcharToMultibyteStdString(L'€'), "\xE2\x82\xAC");
    EXPECT_EQ(localString::stdStringMultibyteToStdWString("\xC3\xA9\xE2\x82\xAC"), L"é€");
    EXPECT_EQ(localString::wstringToStdStringCp866(L"Ё"), "\xF0");
  }
  EXPECT_EQ(localString::stdStringMultibyteToStdWString("\xC3\xA9"), L"\u00FF\u00FF");
}

TEST(TextUtf8, ProgramFilesFollowTheMode) {
  transcript::TemporaryDirectory work;
  const std::string utf8 = work.path() + "/u.prg";
  const std::string marked = work.path() + "/m.prg";
  const std::string cp1251 = work.path() + "/c.prg";
  ASSERT_TRUE(transcript::writeBinaryFile(utf8, "? '\xE2\x84\x96';\r\n? 2"));
  ASSERT_TRUE(transcript::writeBinaryFile(marked, "\xEF\xBB\xBF\xD0\x81\n"));
  ASSERT_TRUE(transcript::writeBinaryFile(cp1251, "\xA8\xE6\xC3\xA9\n"));  // not é: invalid after Ёж
  const auto read = [](const std::string& name) {
    localReturnStateType state = localErrorTypeOK;
    std::wstring text;
    EXPECT_TRUE(localString::readFromFile(state, std::wstring(name.begin(), name.end()), text));
    return text;
  };
  EXPECT_EQ(read(cp1251), L"Ёж\u0413\u03F9\n");
  EXPECT_EQ(read(marked), L"пЋЏР\u03D1\n");  // the CP866 console reads CP1251, mark and all
  Utf8Mode mode;
  EXPECT_EQ(read(utf8), L"? '№';\n? 2\n");
  EXPECT_EQ(read(marked), L"Ё\n");
  EXPECT_EQ(read(cp1251), L"Ёж\u0413\u03F9\n");
}

}  // namespace
