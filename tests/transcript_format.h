#pragma once
#include <string>
#include <vector>

// A transcript: files to create, the console input, the expected console output and the
// files expected after the run. See tests/transcripts/README.md for the text format.
namespace transcript {

struct FileSection {
  std::string name;  // relative path, UTF-8
  bool crlf = false;
  bool noFinalLineEnd = false;
  std::vector<std::string> lines;  // UTF-8 with \xNN escapes
};

struct Transcript {
  std::vector<FileSection> files;
  std::vector<FileSection> expectedFiles;
  std::vector<std::string> input;
  std::string output;  // everything after the @output line, exactly
};

// Parses the text of a transcript file into its sessions (one or more, each ended by a
// line "@session" after its output or by the end of the file); on a format error returns
// false with a message that names the line.
bool parseTranscriptSessions(const std::string& text, std::vector<Transcript>& sessions, std::string& error);

// The same for a file that must hold exactly one session.
bool parseTranscript(const std::string& text, Transcript& result, std::string& error);

// Bytes of a file section in CP1251 with its line ends.
bool fileSectionBytes(const FileSection& section, std::string& bytes, std::string& error);

// Inserts the echo of the input after every prompt (the console's or the debugger's) of
// the decoded console output: the
// input line and a line end, or only a line end for a prompt that met the end of input.
std::string renderWithEcho(const std::string& output, const std::vector<std::string>& input);

// Empty when equal; otherwise a readable account of the first differing line.
std::string describeDifference(const std::string& expected, const std::string& actual);

}  // namespace transcript
