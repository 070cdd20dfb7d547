#pragma once
#include <string>
#include <vector>

#include "transcript_format.h"

// The examples of the reference (doc/*.md), read from the Markdown itself so that the
// text a reader sees is the text the tests run. Conventions, described for writers in
// doc/README.md:
//
//   ```console            a console session in a fresh interpreter: a line "> TEXT" is
//   > ? 2+2               typed at the prompt, every other line is printed output;
//   4                     the start-up line and the last prompt are implied
//   ```
//
//   (отладка) next        typed at the debugger's prompt, shown with the prompt
//
//   ```prg NAME           a program file NAME, created (CP1251) in the directory of every
//   ? 1;                  later console example of the same page
//   ```
//
// Fences with any other info string (text, sh, none) are not run.
namespace docExamples {

struct Example {
  int line = 0;  // line of the opening fence, for messages
  transcript::Transcript session;
};

// The prompt, the start-up line, the farewell of QUIT: what a session prints besides its lines.
extern const char* const consolePrompt;
extern const char* const startupLine;

// Every console example of a page, each with the program files written before it; false
// with a message naming the line on a malformed fence (unclosed, file block without name).
bool parsePage(const std::string& markdown, std::vector<Example>& examples, std::string& error);

}  // namespace docExamples
