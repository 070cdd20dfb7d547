// The pieces of the command line and of the terminal console that need no process:
// option parsing, the choice of encoding, name completion and the history file's place.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/localCommandLine.h"
#include "app/localCompletion.h"
#include "app/localConsoleBlock.h"
#include "app/localConsoleEncoding.h"
#include "app/localHistoryFile.h"
#include "app/localKeyDecoder.h"
#include "context/localContextUTF8.h"
#include "transcript_process.h"

namespace {

using localCommandLine::encodingChoice;
using localCommandLine::parse;

TEST(AppOptions, ParsesEveryForm) {
  const auto none = parse({});
  EXPECT_TRUE(none.error.empty());
  EXPECT_FALSE(none.hasFile || none.interactive || none.help || none.version);
  EXPECT_EQ(none.encoding, encodingChoice::automatic);

  const auto full = parse({"-i", "--encoding=utf8", "-c", "? 1", "-c", "-x"});
  EXPECT_TRUE(full.error.empty()) << full.error;
  EXPECT_TRUE(full.interactive);
  EXPECT_EQ(full.encoding, encodingChoice::utf8);
  EXPECT_EQ(full.commands, (std::vector<std::string>{"? 1", "-x"}));  // TEXT may look like an option

  const auto file = parse({"--encoding", "cp866", "--", "-odd.prg"});
  EXPECT_TRUE(file.error.empty()) << file.error;
  EXPECT_EQ(file.encoding, encodingChoice::cp866);
  EXPECT_TRUE(file.hasFile);
  EXPECT_EQ(file.file, "-odd.prg");
  // The usual spellings of the encodings, in any case.
  for (const char* name : {"utf8", "UTF-8", "Utf8", "utf-8"}) EXPECT_EQ(parse({"--encoding", name}).encoding, encodingChoice::utf8) << name;
  for (const char* name : {"cp866", "CP866", "IBM866", "ibm866"})
    EXPECT_EQ(parse({std::string("--encoding=") + name}).encoding, encodingChoice::cp866) << name;
  EXPECT_EQ(parse({"--encoding=AUTO"}).encoding, encodingChoice::automatic);
  const auto check = parse({"--check", "prog.prg"});
  EXPECT_TRUE(check.check && check.hasFile && check.error.empty());
  const auto strict = parse({"--strict", "-c", "? 1"});
  EXPECT_TRUE(strict.check && strict.strict && strict.error.empty());
  EXPECT_TRUE(parse({"--trace", "prog.prg"}).trace);
  const auto debug = parse({"--debug", "prog.prg"});
  EXPECT_TRUE(debug.debug && debug.hasFile && debug.error.empty());
  EXPECT_TRUE(parse({"-h"}).help);
  EXPECT_TRUE(parse({"-V"}).version);
}

TEST(AppOptions, RefusesWhatItCannotDo) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--bogus"}, {"-c"}, {"--encoding"}, {"--encoding=koi8"}, {"a", "b"}, {"a", "-c", "x"}, {"-ic"},
           {"--check"}, {"--check", "-c", "x", "a"}, {"--check", "-i", "a"}, {"--debug"}, {"--debug", "-c", "x"},
           {"--debug", "--check", "a"}}) {
    EXPECT_FALSE(parse(arguments).error.empty()) << arguments[0];
  }
}

TEST(AppOptions, AutomaticEncodingIsUtf8OnlyOnAUtf8Terminal) {
  const auto automatic = encodingChoice::automatic;
  EXPECT_EQ(localChooseEncoding(automatic, true, true, "UTF-8"), localConsoleEncoding::utf8);
  EXPECT_EQ(localChooseEncoding(automatic, false, true, "UTF-8"), localConsoleEncoding::cp866);
  EXPECT_EQ(localChooseEncoding(automatic, true, false, "UTF-8"), localConsoleEncoding::cp866);
  EXPECT_EQ(localChooseEncoding(automatic, true, true, "ANSI_X3.4-1968"), localConsoleEncoding::cp866);
  // FILE and -c follow the locale wherever input and output go.
  EXPECT_EQ(localChooseEncoding(automatic, false, false, "UTF-8", true), localConsoleEncoding::utf8);
  EXPECT_EQ(localChooseEncoding(automatic, false, false, "ANSI_X3.4-1968", true), localConsoleEncoding::cp866);
  EXPECT_EQ(localChooseEncoding(encodingChoice::cp866, false, false, "UTF-8", true), localConsoleEncoding::cp866);
  EXPECT_EQ(localChooseEncoding(encodingChoice::utf8, false, false, ""), localConsoleEncoding::utf8);
  EXPECT_EQ(localChooseEncoding(encodingChoice::cp866, true, true, "UTF-8"), localConsoleEncoding::cp866);
}

TEST(AppCompletion, CompletesFromKeywordsFunctionsAndVariablesInTheTypedCase) {
  localContextUTF8 context;
  context.varSetValueNum(L"счётчик", 1);
  const std::vector<std::wstring> names = localCompletion::knownNames(context);
  EXPECT_EQ(localCompletion::complete(L"STRL", names).insert, L"EN");
  EXPECT_EQ(localCompletion::complete(L"стрдл", names).insert, L"ина");  // СТРДЛИНА
  EXPECT_EQ(localCompletion::complete(L"сч", names).insert, L"ётчик");
  EXPECT_EQ(localCompletion::complete(L"ENDP", names).insert, L"ROCEDURE");
  EXPECT_EQ(localCompletion::complete(L"кОнецЦ", names).insert, L"ИКЛА");
  EXPECT_EQ(localCompletion::complete(L"DISP", names).insert, L"LAY");

  // Several fits: the common part first, then the list.
  const auto trim = localCompletion::complete(L"TR", names);
  EXPECT_EQ(trim.insert, L"IM");
  const auto listed = localCompletion::complete(L"TRIM", names);
  EXPECT_EQ(listed.insert, L"");
  EXPECT_EQ(listed.matches, (std::vector<std::wstring>{L"TRIMALL", L"TRIML", L"TRIMR"}));
  EXPECT_TRUE(localCompletion::complete(L"QQQ", names).matches.empty());
  EXPECT_TRUE(localCompletion::complete(L"", names).matches.empty());
}

TEST(AppCompletion, TheWordEndsAtTheCursor) {
  EXPECT_EQ(localCompletion::wordStart(L"? STRL", 6), 2u);
  EXPECT_EQ(localCompletion::wordStart(L"x = ab+счёт", 11), 7u);
  EXPECT_EQ(localCompletion::wordStart(L"? (", 3), 3u);
  EXPECT_EQ(localCompletion::wordStart(L"abc", 99), 0u);
}

TEST(AppHistory, FileLivesInTheStateDirectory) {
  EXPECT_EQ(localHistoryFilePath("/s", "/h"), "/s/localinterp/history");
  EXPECT_EQ(localHistoryFilePath("relative", "/h"), "/h/.local/state/localinterp/history");
  EXPECT_EQ(localHistoryFilePath(nullptr, "/h"), "/h/.local/state/localinterp/history");
  EXPECT_EQ(localHistoryFilePath(nullptr, nullptr), "");
  EXPECT_EQ(localHistoryBase("/x/s", "/h"), "/x");
  EXPECT_EQ(localHistoryBase("relative", "/h"), "/h");
}

TEST(AppHistory, NothingIsCreatedUnderAHomeThatDoesNotExist) {
  transcript::TemporaryDirectory home;
  const std::string missing = home.path() + "/missing";
  EXPECT_FALSE(localPrepareHistoryFile(localHistoryFilePath(nullptr, missing.c_str()), missing));
  EXPECT_FALSE(std::filesystem::exists(missing));
  const std::string path = localHistoryFilePath(nullptr, home.path().c_str());
  EXPECT_TRUE(localPrepareHistoryFile(path, home.path()));
  EXPECT_TRUE(std::filesystem::is_regular_file(path));
  // Appended lines in the editor's format, its mark once at the top.
  EXPECT_TRUE(localAppendHistoryLine(path, "? 'a b'\\"));
  EXPECT_TRUE(localAppendHistoryLine(path, "x\t= 1"));
  std::string content;
  ASSERT_TRUE(transcript::readBinaryFile(path, content));
  EXPECT_EQ(content, "_HiStOrY_V2_\n?\\040'a\\040b'\\\\\nx\\011=\\0401\n");
}

TEST(AppKeys, BytesThatAreNotUtf8StayInTheLineAsThemselves) {
  localKeyDecoder decoder;
  std::wstring keys;
  for (const char byte : std::string("a\xD0\x96\xFF\xD0z\xE2\x82")) decoder.feed(byte, keys);
  EXPECT_EQ(keys.size(), 5u);  // a, Ж, 0xFF, 0xD0 given up when z came, z; the cut € is pending
  decoder.feed('\xAC', keys);
  EXPECT_EQ(localKeyLineBytes(keys), "a\xD0\x96\xFF\xD0z\xE2\x82\xAC");
  EXPECT_EQ(keys.substr(0, 2), L"aЖ");
  EXPECT_EQ(keys.back(), L'€');
}

TEST(AppBlocks, OpenersCloseAndAssignmentsDoNot) {
  using namespace localConsoleBlock;
  for (const wchar_t* line : {L"IF x > 1 THEN", L"  while x DO", L"Для н = 1 По 3 Цикл", L"PROCEDURE P()",
                              L"функция f()"})
    EXPECT_TRUE(opensBlock(line)) << line;
  for (const wchar_t* line : {L"while = 2", L"IF= 3", L"? 'IF'", L"ENDIF", L"x = 1", L"// IF x THEN"})
    EXPECT_FALSE(opensBlock(line)) << line;
  EXPECT_EQ(depthChange(L"IF x THEN IF y THEN ? 1; ENDIF; // ENDIF"), 1);
  EXPECT_EQ(depthChange(L"? 'ENDDO'; x = if + 1; ENDDO;"), -1);
  EXPECT_EQ(depthChange(L"КонецЦикла;"), -1);
  EXPECT_EQ(depthChange(L"ELSE IF a THEN"), 1);
  EXPECT_EQ(programText(L"IF x THEN\n? 1;\nENDIF // end"), L"IF x THEN\n? 1;\nENDIF // end\n;");
  EXPECT_EQ(programText(L"IF x THEN\nENDIF;"), L"IF x THEN\nENDIF;");
  EXPECT_EQ(programText(L"WHILE x DO\n? 1"), L"WHILE x DO\n? 1") << "an open block is left to the compiler";
}

}  // namespace
