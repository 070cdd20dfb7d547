#include "check/localIgnoredText.h"

#include "interp/localInterpretatorUTF8.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"

std::wstring localIgnoredText(const std::wstring& line, unsigned position) {
  unsigned start = 0;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, start);
  if (localString::charAt(line, start) != L'?') {
    const std::wstring word =
        localString::wstringToUpper(std::wstring(localInterpretatorUTF8::scanStringGetWordView(line, start)));
    localInterpretatorUTF8::scanStringSkipVoidChars(line, start);
    if (localString::charAt(line, start) != L'=' && localShellCommands::isCommandWord(word)) return std::wstring();
  }
  for (;;) {
    localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
    if (localString::charAt(line, position) != L';') break;
    ++position;
  }
  return position < line.size() ? line.substr(position) : std::wstring();
}
