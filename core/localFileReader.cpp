#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/localDiagnostics.h"
#include "core/localFileReader.h"
#include "core/localInterrupt.h"
#include "core/localTrace.h"
#include "text/localString.h"
#include "text/localUtf8.h"

// Reads a program file into a wide string. The file is read in binary and the line ends
// are normalised here, so a CR LF file reads the same on every host: one CR directly
// before an LF is dropped, and every line, the last one included, ends in LF.
// A file is CP1251, except that a console in UTF-8 mode reads a file that is valid UTF-8
// (with or without a byte-order mark) as UTF-8: that is what editors on such a system
// write, and CP1251 text with Russian letters is practically never valid UTF-8.

namespace {

const std::string byteOrderMark = "\xEF\xBB\xBF";

void appendLine(std::wstring& text, const std::string& line, bool utf8) {
  if (utf8) {
    std::wstring decoded;
    std::size_t badOffset = 0;
    localString::utf8ToWstring(line, decoded, badOffset);  // the whole file was checked
    text += decoded;
  } else {
    for (char c : line) text.push_back(localString::charCp1251ToWchar(c));
  }
  text += localString::newLineMarker();
}

// A file of UTF-8 text with a few stray bytes is read as CP1251, as every file that is not
// UTF-8 is; its letters then turn into other ones and it fails far from the cause. Say
// which byte did it when the file is mostly UTF-8 (more good sequences than bad bytes).
void warnWhenMostlyUtf8(const std::string& name, const std::string& content) {
  const localString::utf8Census census = localString::countUtf8(content);
  if (census.multibyte <= census.bad) return;
  const auto line = 1 + std::count(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(census.firstBad), '\n');
  localWarning(name + ":" + std::to_string(line) + ": byte " + localString::byteAsHex(content[census.firstBad]) +
               " is not UTF-8; the file is read as CP1251");
}

}  // namespace

namespace localString {

bool readFromFile(localReturnStateType& state, const std::wstring& fileName, std::wstring& text) {
  const std::string name = wstringToStdStringMultibyte(fileName);
  // A zero character would silently cut the name short and open some other file.
  if (name.empty() || name.find('\0') != std::string::npos) {
    state = localErrorTypeFILEnotFound;
    return false;
  }
  const std::wstring refusal = fileRefusal(name, programFileSizeLimit);
  if (!refusal.empty()) {
    localTrace(L"localErrorTypeFILEnotFound!!! " + refusal + L" func: ", "readFromFile", 2801);
    state = localErrorTypeFILEnotFound;
    return false;
  }
  std::ifstream file(name, std::ios::in | std::ios::binary);
  if (!file.is_open()) {
    state = localErrorTypeFILEnotFound;
    return false;
  }
  // A read error ends the content like the end of the file does. The read itself is
  // bounded too: a file that grew past the limit after the check is refused, not read.
  // The buffer is not on the stack: inlined into DO, whose frame stays while the program
  // runs, it would hold 64 KB of stack for every level of DO inside programs.
  std::string content;
  std::vector<char> chunk(std::size_t{1} << 16);
  while (content.size() <= programFileSizeLimit && file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())).gcount() > 0) {
    content.append(chunk.data(), static_cast<std::size_t>(file.gcount()));
  }
  if (content.size() > programFileSizeLimit) {
    localTrace(L"localErrorTypeFILEnotFound!!! [" + fileName + L"] длиннее " +
                   std::to_wstring(programFileSizeLimit) + L" байт func: ",
               "readFromFile", 2801);
    state = localErrorTypeFILEnotFound;
    return false;
  }
  const bool utf8 = utf8Mode() && isValidUtf8(content);
  if (utf8Mode() && !utf8) warnWhenMostlyUtf8(name, content);
  const bool marked = utf8 && content.compare(0, byteOrderMark.size(), byteOrderMark) == 0;
  std::size_t start = marked ? byteOrderMark.size() : 0;
  while (start < content.size()) {
    if (localInterruptStopsHere(state, "readFromFile", 2802)) return false;
    std::size_t feed = content.find('\n', start);
    const bool hasFeed = feed != std::string::npos;
    if (!hasFeed) feed = content.size();
    std::size_t end = feed;
    if (hasFeed && end > start && content[end - 1] == '\r') --end;
    appendLine(text, content.substr(start, end - start), utf8);
    start = feed + 1;
  }
  return true;
}

}  // namespace localString
