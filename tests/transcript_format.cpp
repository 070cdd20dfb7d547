#include "transcript_format.h"

#include <algorithm>
#include <sstream>

#include "transcript_codec.h"

namespace transcript {
namespace {

const std::string prompt = "localInterpretatorUTF8::console # ";
const std::string debuggerPrompt = "(отладка) ";
const std::string sessionMarker = "@session";

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

std::vector<std::string> splitWords(const std::string& s) {
  std::vector<std::string> words;
  std::istringstream in(s);
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

// A file name stays inside the temporary directory: relative, without "..".
bool safeRelativeName(const std::string& name) {
  if (name.empty() || name[0] == '/') return false;
  std::istringstream parts(name);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part.empty() || part == "..") return false;
  }
  return true;
}

bool parseFileHeader(const std::string& line, FileSection& section, std::string& error) {
  const std::vector<std::string> words = splitWords(line);
  if (words.size() < 2) {
    error = "missing file name";
    return false;
  }
  section.name = words[1];
  if (!safeRelativeName(section.name)) {
    error = "file name must be relative and stay inside the directory: " + section.name;
    return false;
  }
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "crlf") {
      section.crlf = true;
    } else if (words[i] == "noeol") {
      section.noFinalLineEnd = true;
    } else {
      error = "unknown file option: " + words[i];
      return false;
    }
  }
  return true;
}

// Where the output that starts at from ends: at a line "@session", or at the end of the text.
std::size_t outputEnd(const std::string& text, std::size_t from) {
  std::size_t line = from;
  while (line < text.size()) {
    std::size_t end = text.find('\n', line);
    if (end == std::string::npos) end = text.size();
    if (text.compare(line, end - line, sessionMarker) == 0) return line;
    line = end + 1;
  }
  return text.size();
}

// Parses the session that starts at start (line lineNumber + 1); its output ends at outputStop.
bool parseSession(const std::string& text, std::size_t start, int lineNumber, Transcript& result,
                  std::size_t& outputStop, std::string& error) {
  enum class Section { preamble, file, expectFile, input };
  Section section = Section::preamble;
  bool seenInput = false;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    ++lineNumber;
    start = next;
    auto fail = [&](const std::string& message) {
      error = "line " + std::to_string(lineNumber) + ": " + message;
      return false;
    };

    if (line == "@output") {
      if (!seenInput) return fail("@output before @input");
      outputStop = outputEnd(text, next);
      result.output = text.substr(next, outputStop - next);
      return true;
    }
    if (line == "@input") {
      if (seenInput) return fail("second @input");
      seenInput = true;
      section = Section::input;
      continue;
    }
    if (startsWith(line, "@file ") || startsWith(line, "@expect-file ")) {
      if (seenInput) return fail("file sections belong before @input");
      FileSection file;
      std::string headerError;
      if (!parseFileHeader(line, file, headerError)) return fail(headerError);
      const bool expected = startsWith(line, "@expect-file ");
      (expected ? result.expectedFiles : result.files).push_back(file);
      section = expected ? Section::expectFile : Section::file;
      continue;
    }
    switch (section) {
      case Section::preamble:
        if (!line.empty() && line[0] != '#') return fail("text before the first section: " + line);
        break;
      case Section::file:
        result.files.back().lines.push_back(line);
        break;
      case Section::expectFile:
        result.expectedFiles.back().lines.push_back(line);
        break;
      case Section::input:
        result.input.push_back(line);
        break;
    }
  }
  error = seenInput ? "missing @output section" : "missing @input section";
  return false;
}

}  // namespace

bool parseTranscriptSessions(const std::string& text, std::vector<Transcript>& sessions, std::string& error) {
  sessions.clear();
  std::size_t start = 0;
  for (;;) {
    const int linesBefore = static_cast<int>(std::count(text.begin(), text.begin() + start, '\n'));
    Transcript session;
    std::size_t outputStop = 0;
    if (!parseSession(text, start, linesBefore, session, outputStop, error)) return false;
    sessions.push_back(std::move(session));
    if (outputStop >= text.size()) return true;
    // The next session starts on the line after the marker.
    start = std::min(text.size(), outputStop + sessionMarker.size() + 1);
  }
}

bool parseTranscript(const std::string& text, Transcript& result, std::string& error) {
  std::vector<Transcript> sessions;
  if (!parseTranscriptSessions(text, sessions, error)) return false;
  if (sessions.size() != 1) {
    error = "expected one session, found " + std::to_string(sessions.size());
    return false;
  }
  result = std::move(sessions.front());
  return true;
}

bool fileSectionBytes(const FileSection& section, std::string& bytes, std::string& error) {
  bytes.clear();
  const std::string lineEnd = section.crlf ? "\r\n" : "\n";
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    std::string encoded;
    if (!encodeLine(section.lines[i], CodePage::cp1251, encoded, error)) return false;
    bytes += encoded;
    if (!(section.noFinalLineEnd && i + 1 == section.lines.size())) bytes += lineEnd;
  }
  return true;
}

std::string renderWithEcho(const std::string& output, const std::vector<std::string>& input) {
  std::string out;
  std::size_t nextInput = 0;
  std::size_t start = 0;
  for (;;) {
    // The console's prompt or the debugger's, whichever comes first.
    const std::size_t console = output.find(prompt, start);
    const std::size_t debugger = output.find(debuggerPrompt, start);
    const std::size_t found = std::min(console, debugger);
    if (found == std::string::npos) break;
    const std::size_t afterPrompt = found + (found == console ? prompt : debuggerPrompt).size();
    out.append(output, start, afterPrompt - start);
    if (nextInput < input.size()) out += input[nextInput++];
    out += '\n';
    start = afterPrompt;
  }
  out.append(output, start, std::string::npos);
  return out;
}

std::string describeDifference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return {};
  std::size_t lineStart = 0;
  int line = 1;
  const std::size_t common = std::min(expected.size(), actual.size());
  std::size_t i = 0;
  while (i < common && expected[i] == actual[i]) {
    if (expected[i] == '\n') {
      lineStart = i + 1;
      ++line;
    }
    ++i;
  }
  auto lineAt = [&](const std::string& s) {
    if (lineStart >= s.size()) return std::string("<end of output>");
    const std::size_t end = s.find('\n', lineStart);
    const std::string text = s.substr(lineStart, end == std::string::npos ? std::string::npos : end - lineStart);
    return "[" + text + "]" + (end == std::string::npos ? " (no line end)" : "");
  };
  std::ostringstream message;
  message << "first difference in line " << line << ", column " << (i - lineStart) << "\n"
          << "  expected: " << lineAt(expected) << "\n"
          << "  actual:   " << lineAt(actual) << "\n";
  return message.str();
}

}  // namespace transcript
