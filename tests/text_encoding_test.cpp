#include <gtest/gtest.h>

#include <string>

#include "text/localString.h"

using namespace localString;

namespace {

std::string bytes(std::initializer_list<unsigned> values) {
  std::string out;
  for (unsigned v : values) out.push_back(static_cast<char>(v));
  return out;
}

std::string byte(unsigned value) { return bytes({value}); }

}  // namespace

TEST(TextEncoding, RussianWordInEveryEncodingAndBack) {
  const std::wstring word = L"Ёлка";
  EXPECT_EQ(wstringToStdStringMultibyte(word), bytes({0xD0, 0x81, 0xD0, 0xBB, 0xD0, 0xBA, 0xD0, 0xB0}));
  EXPECT_EQ(wstringToStdStringCp866(word), bytes({0xF0, 0xAB, 0xAA, 0xA0}));
  EXPECT_EQ(wstringToStdStringCp1251(word), bytes({0xA8, 0xEB, 0xEA, 0xE0}));
  EXPECT_EQ(stdStringMultibyteToStdWString(wstringToStdStringMultibyte(word)), word);
  EXPECT_EQ(stdStringCp866StdStringToStdWstring(wstringToStdStringCp866(word)), word);
  std::wstring fromCp1251;
  for (char c : wstringToStdStringCp1251(word)) fromCp1251.push_back(charCp1251ToWchar(c));
  EXPECT_EQ(fromCp1251, word);
}

TEST(TextEncoding, SingleCharacterEncodersAtEveryRowBoundary) {
  struct Row {
    wchar_t c;
    std::string cp866, cp1251, multibyte;
  };
  const Row rows[] = {
      {L'\0', byte(0x00), byte(0x00), byte(0x00)},
      {L'\x7F', byte(0x7F), byte(0x7F), byte(0x7F)},
      {L'\x80', byte(0xFF), byte(0x80), byte(0x80)},
      {L'\xE9', byte(0xFF), byte(0xE9), byte(0xE9)},
      {L'\xFF', byte(0xFF), byte(0xFF), byte(0xFF)},
      {L'\x100', byte(0xFF), byte(0xFF), byte(0xFF)},
      {L'\x400', byte(0xFF), byte(0xFF), byte(0xFF)},
      {L'\x401', byte(0xF0), byte(0xA8), bytes({0xD0, 0x81})},
      {L'\x406', byte(0xFF), byte(0xFF), byte(0xFF)},
      {L'\x40F', byte(0xFF), byte(0xFF), byte(0xFF)},
      {L'\x410', byte(0x80), byte(0xC0), bytes({0xD0, 0x90})},
      {L'\x43F', byte(0xAF), byte(0xEF), bytes({0xD0, 0xBF})},
      {L'\x440', byte(0xE0), byte(0xF0), bytes({0xD1, 0x80})},
      {L'\x44F', byte(0xEF), byte(0xFF), bytes({0xD1, 0x8F})},
      {L'\x450', byte(0xFF), byte(0xFF), byte(0xFF)},
      {L'\x451', byte(0xF1), byte(0xB8), bytes({0xD1, 0x91})},
      {L'\x452', byte(0xFF), byte(0xFF), byte(0xFF)},
      {L'\x20AC', byte(0xFF), byte(0xFF), byte(0xFF)},
      {static_cast<wchar_t>(0x10451), byte(0xFF), byte(0xFF), byte(0xFF)},
      {static_cast<wchar_t>(-1), byte(0xFF), byte(0xFF), byte(0xFF)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<long>(row.c));
    EXPECT_EQ(wcharToCp866StdString(row.c), row.cp866);
    EXPECT_EQ(wcharToCp1251StdString(row.c), row.cp1251);
    EXPECT_EQ(wcharToMultibyteStdString(row.c), row.multibyte);
  }
}

TEST(TextEncoding, StringEncodersCopyLatin1RangeAsItsOwnByte) {
  // Unlike the single-character CP866 encoder, the string encoders never consult the table
  // for characters up to U+00FF.
  const std::wstring text = L"a\xE9\x80\xFF";
  EXPECT_EQ(wstringToStdStringCp866(text), bytes({'a', 0xE9, 0x80, 0xFF}));
  EXPECT_EQ(wstringToStdStringCp1251(text), bytes({'a', 0xE9, 0x80, 0xFF}));
  EXPECT_EQ(wstringToStdStringMultibyte(text), bytes({'a', 0xE9, 0x80, 0xFF}));
  EXPECT_EQ(wstringToStdStringCp866(L"x\x20AC\x406y"), bytes({'x', 0xFF, 0xFF, 'y'}));
  EXPECT_EQ(wstringToStdStringMultibyte(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncoding, Cp866DecoderTableAndRoundTripOfEveryByte) {
  EXPECT_EQ(charCp866ToWchar('\x80'), L'\x410');
  EXPECT_EQ(charCp866ToWchar('\xAF'), L'\x43F');
  EXPECT_EQ(charCp866ToWchar('\xB0'), L'\xB0');
  EXPECT_EQ(charCp866ToWchar('\xB3'), L'\xB3');
  EXPECT_EQ(charCp866ToWchar('\xDF'), L'\xDF');
  EXPECT_EQ(charCp866ToWchar('\xE0'), L'\x440');
  EXPECT_EQ(charCp866ToWchar('\xEF'), L'\x44F');
  EXPECT_EQ(charCp866ToWchar('\xF0'), L'\x401');
  EXPECT_EQ(charCp866ToWchar('\xF1'), L'\x451');
  EXPECT_EQ(charCp866ToWchar('\xF2'), L'\xF2');
  EXPECT_EQ(charCp866ToWchar('\xFF'), L'\xFF');
  // Every byte survives decoding and re-encoding, the console's own path.
  std::string all;
  for (unsigned b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::wstring wide = stdStringCp866StdStringToStdWstring(all);
  ASSERT_EQ(wide.size(), 256u);  // zero bytes are characters, not terminators
  EXPECT_EQ(wstringToStdStringCp866(wide), all);
}

TEST(TextEncoding, Cp1251DecoderTable) {
  EXPECT_EQ(charCp1251ToWchar('A'), L'A');
  EXPECT_EQ(charCp1251ToWchar('\x7F'), L'\x7F');
  EXPECT_EQ(charCp1251ToWchar('\xC0'), L'\x410');
  EXPECT_EQ(charCp1251ToWchar('\xFF'), L'\x44F');
  EXPECT_EQ(charCp1251ToWchar('\xA8'), L'\x401');
  EXPECT_EQ(charCp1251ToWchar('\xB8'), L'\x451');
  EXPECT_EQ(charCp1251ToWchar('\x80'), L'\x3D0');
  EXPECT_EQ(charCp1251ToWchar('\xBF'), L'\x40F');
  for (unsigned b = 0xC0; b <= 0xFF; ++b) {
    EXPECT_EQ(wcharToCp1251StdString(charCp1251ToWchar(static_cast<char>(b))), byte(b));
  }
}

TEST(TextEncoding, MultibyteDecoder) {
  EXPECT_EQ(stdStringMultibyteToStdWString(bytes({0xC3, 0xA9})), L"\xFF\xFF");
  EXPECT_EQ(stdStringMultibyteToStdWString(byte(0xE9)), L"\xFF");
  EXPECT_EQ(stdStringMultibyteToStdWString(bytes({'a', 0x00, 'b'})), L"a");
  EXPECT_EQ(stdStringMultibyteToStdWString(bytes({0xD0, 0x41})), L"\x4C1");  // taken without validation
  EXPECT_EQ(stdStringMultibyteToStdWString(bytes({0xD1, 0xBF})), L"\x47F");
  EXPECT_EQ(stdStringMultibyteToStdWString(bytes({'a', 0xD0})), L"a");  // dangling lead byte ends the text
  EXPECT_EQ(stdStringMultibyteToStdWString(bytes({'a', 0xD1})), L"a");
  EXPECT_EQ(stdStringMultibyteToStdWString(""), L"");
  // ASCII and the whole Russian alphabet come back unchanged.
  std::wstring alphabet;
  for (wchar_t c = 1; c < 0x80; ++c) alphabet.push_back(c);
  for (wchar_t c = 0x410; c <= 0x44F; ++c) alphabet.push_back(c);
  alphabet += L"\x401\x451";
  EXPECT_EQ(stdStringMultibyteToStdWString(wstringToStdStringMultibyte(alphabet)), alphabet);
  EXPECT_EQ(stdStringCp866StdStringToStdWstring(wstringToStdStringCp866(alphabet)), alphabet);
}
