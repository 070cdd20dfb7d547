#include "doc_examples.h"

#include <map>
#include <sstream>

namespace docExamples {

const char* const consolePrompt = "localInterpretatorUTF8::console # ";
const char* const startupLine = "func: main file: main line: 603\n";

namespace {

const std::string fence = "```";
const std::string inputMark = ">";
const std::string debuggerPrompt = "(отладка) ";
const std::string farewell = "Good bye!";

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> result;
  std::istringstream in(s);
  std::string word;
  while (in >> word) result.push_back(word);
  return result;
}

// "> TEXT" is typed input (">" alone an empty line); anything else is output.
bool isInput(const std::string& line) {
  return line == inputMark || line.rfind(inputMark + " ", 0) == 0;
}

transcript::Transcript consoleSession(const std::vector<std::string>& body,
                                      const std::map<std::string, transcript::FileSection>& files) {
  transcript::Transcript session;
  for (const auto& [name, file] : files) session.files.push_back(file);
  session.output = startupLine;
  for (const std::string& line : body) {
    if (line.rfind(debuggerPrompt, 0) == 0) {
      // Typed at the debugger's prompt, which the page shows as it is.
      session.input.push_back(line.substr(debuggerPrompt.size()));
      session.output += line + "\n";
    } else if (isInput(line)) {
      const std::string typed = line.size() > 2 ? line.substr(2) : std::string();
      session.input.push_back(typed);
      session.output += consolePrompt + typed + "\n";
    } else {
      session.output += line + "\n";
    }
  }
  // Input ends after the last line: the console prompts once more and meets the end,
  // unless the session said QUIT.
  if (body.empty() || body.back() != farewell) session.output += std::string(consolePrompt) + "\n";
  return session;
}

}  // namespace

bool parsePage(const std::string& markdown, std::vector<Example>& examples, std::string& error) {
  const std::vector<std::string> lines = splitLines(markdown);
  std::map<std::string, transcript::FileSection> files;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(fence, 0) != 0) continue;
    const int openLine = static_cast<int>(i) + 1;
    const std::vector<std::string> info = words(lines[i].substr(fence.size()));
    std::vector<std::string> body;
    std::size_t j = i + 1;
    while (j < lines.size() && lines[j].rfind(fence, 0) != 0) body.push_back(lines[j++]);
    if (j == lines.size()) {
      error = "line " + std::to_string(openLine) + ": code block is not closed";
      return false;
    }
    i = j;
    if (info.empty()) continue;
    if (info[0] == "console") {
      examples.push_back({openLine, consoleSession(body, files)});
    } else if (info[0] == "prg") {
      if (info.size() != 2 || info[1].find('/') != std::string::npos || info[1] == "..") {
        error = "line " + std::to_string(openLine) + ": a prg block needs one plain file name";
        return false;
      }
      transcript::FileSection file;
      file.name = info[1];
      file.lines = body;
      files[file.name] = file;
    }
  }
  return true;
}

}  // namespace docExamples
