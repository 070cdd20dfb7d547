#include <fstream>
#include <iterator>
#include <string>

#include "core/localInterrupt.h"
#include "core/localTrace.h"
#include "text/localString.h"

// Reads a CP1251 program file into a wide string. The file is read in binary and the
// line ends are normalised here, so a CR LF file reads the same on every host: one CR
// directly before an LF is dropped, and every line, the last one included, ends in LF.

namespace {

void appendLine(std::wstring& text, const std::string& line) {
  for (char c : line) text.push_back(localString::charCp1251ToWchar(c));
  text += localString::newLineMarker();
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
  // A read error ends the content like the end of the file does.
  const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::size_t start = 0;
  while (start < content.size()) {
    if (localInterruptStopsHere(state, "readFromFile", 2802)) return false;
    std::size_t feed = content.find('\n', start);
    const bool hasFeed = feed != std::string::npos;
    if (!hasFeed) feed = content.size();
    std::size_t end = feed;
    if (hasFeed && end > start && content[end - 1] == '\r') --end;
    appendLine(text, content.substr(start, end - start));
    start = feed + 1;
  }
  return true;
}

}  // namespace localString
