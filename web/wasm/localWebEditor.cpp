// The editor's help from the interpreter: the checker's diagnostics of the program being
// edited, and the reference's help on the built-in function or member under the pointer
// (the texts the language server shows). Both answer in JSON, kept in a buffer that lives
// until the next call, so the worker reads it without freeing anything. A throw (a text
// too long for memory) gives the empty answer: the session that runs programs goes on.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "check/localCheck.h"
#include "lsp/localLspOutline.h"
#include "lsp/localLspReference.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace {

// The last answer, read by the worker before its next call.
std::string lastAnswer;

void appendJsonString(std::string& out, const std::string& utf8) {
  out += '"';
  for (const char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

std::wstring decoded(const char* utf8) { return localString::utf8ToWstringLenient(utf8); }

// A member of the class the reference lists first with that name, as the language server
// does for an object whose class the file does not show.
const localLspReference::entry* anyMember(const std::wstring& upperName) {
  for (const localLspReference::classEntry& c : localLspReference::classes()) {
    if (const localLspReference::entry* e = localLspReference::member(c, upperName)) return e;
  }
  return nullptr;
}

std::string check(const char* utf8Text) {
  std::string answer = "[";
  for (const localCheck::diagnostic& d : localCheck::checkProgram(decoded(utf8Text))) {
    if (answer.size() > 1) answer += ',';
    answer += "{\"line\":" + std::to_string(d.line) + ",\"column\":" + std::to_string(d.column) +
              ",\"endColumn\":" + std::to_string(d.endColumn) + ",\"severity\":";
    answer += d.level == localCheck::severity::error ? "\"error\"" : "\"warning\"";
    answer += ",\"name\":";
    appendJsonString(answer, d.name);
    answer += ",\"message\":";
    appendJsonString(answer, localString::wstringToUtf8(d.message));
    answer += '}';
  }
  answer += ']';
  return answer;
}

std::string hover(const char* utf8Text, int offset) {
  std::string answer = "null";
  const std::wstring text = decoded(utf8Text);
  if (offset < 0 || static_cast<std::size_t>(offset) > text.size()) return answer;
  const localLspOutline::span word = localLspOutline::wordAt(text, static_cast<std::size_t>(offset));
  if (word.start == word.end || localLspOutline::inCommentOrString(text, word.start + 1)) return answer;
  const std::wstring name = localString::wstringToUpper(text.substr(word.start, word.end - word.start));
  const localLspReference::entry* found = localLspOutline::objectBefore(text, word.start).empty()
                                              ? localLspReference::function(name)
                                              : anyMember(name);
  if (found == nullptr) return answer;
  answer = "{\"from\":" + std::to_string(word.start) + ",\"to\":" + std::to_string(word.end) + ",\"signatures\":[";
  for (std::size_t i = 0; i < found->signatures.size(); ++i) {
    if (i > 0) answer += ',';
    appendJsonString(answer, localString::wstringToUtf8(found->signatures[i]));
  }
  answer += "],\"text\":";
  appendJsonString(answer, localString::wstringToUtf8(found->description));
  answer += '}';
  return answer;
}

}  // namespace

extern "C" {

// The diagnostics of a program text (UTF-8) as a JSON array of
// {line, column, endColumn, severity: "error"|"warning", name, message}, places from 1.
EMSCRIPTEN_KEEPALIVE const char* webCheck(const char* utf8Text) {
  try {
    lastAnswer = check(utf8Text);
  } catch (...) {
    lastAnswer = "[]";
  }
  return lastAnswer.c_str();
}

// Help on the word at a character offset of the text: {from, to, signatures, text} for a
// built-in function or a member after a dot, or null (the word is something else, or in
// a comment or a string).
EMSCRIPTEN_KEEPALIVE const char* webHover(const char* utf8Text, int offset) {
  try {
    lastAnswer = hover(utf8Text, offset);
  } catch (...) {
    lastAnswer = "null";
  }
  return lastAnswer.c_str();
}

}  // extern "C"
