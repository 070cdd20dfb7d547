#include <emscripten/emscripten.h>

#include <fstream>
#include <iostream>
#include <iterator>

#include "platform/localSystemParts.h"

// The browser build: files live in the page's in-memory directory, MODIFY COMMAND hands
// a file to the page's editor pane, and no program of an operating system can run.

namespace {

// The worker that runs the interpreter posts the file's name and bytes to the page.
EM_JS(void, localWebOpenInEditor, (const char* name, const char* bytes, int size), {
  const text = HEAPU8.slice(bytes, bytes + size);
  postMessage({type: 'edit', name: UTF8ToString(name), bytes: text}, [text.buffer]);
});

}  // namespace

namespace localPlatform {

int openEditor(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    std::cout << "MODIFY COMMAND: " << fileName << ": файл не открыт\n";
    return 1;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::cout.flush();
  localWebOpenInEditor(fileName.c_str(), bytes.data(), static_cast<int>(bytes.size()));
  return 0;
}

int runCommand(const std::string&) {
  std::cout << "RUN: внешние команды в браузере недоступны (external commands are not available in the "
               "browser)\n";
  return 1;
}

}  // namespace localPlatform
