#pragma once
// Pieces shared by the statement compilers of textCompile. Each statement compiler
// starts with the position right after the statement's first word (or "?"), appends
// its nodes to the block and consumes the statement up to and including its ";".
#include <memory>
#include <string>

#include "core/localReturnStateType.h"
#include "interp/localWordReader.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

class localContextUTF8;

namespace localCompile {

void trace(const std::wstring& lead, unsigned line);

using localString::charAt;
// The source between two positions, clamped to the text.
std::wstring sourceBetween(const std::wstring& text, unsigned from, unsigned to);

// Where a position stands for a compile report: its line (from 1), that line's first
// index and the column (from 0). A position on a line feed counts to the next line and
// so gets column 0 there.
struct sourcePlace {
  unsigned line;
  unsigned lineStart;
  unsigned column;
};
sourcePlace placeOf(const std::wstring& text, unsigned position);

// The text being compiled: the number its nodes carry as their source, and where its
// lines start. textCompile opens one for a text no open scope reads; nested blocks of the
// same text share it.
class sourceScope {
 public:
  explicit sourceScope(const std::wstring& text);
  ~sourceScope();
  sourceScope(const sourceScope&) = delete;
  sourceScope& operator=(const sourceScope&) = delete;
  // The number of the text this scope (or the one it joined) reads.
  std::uint32_t source() const;
  struct lines;

 private:
  std::unique_ptr<lines> own_;
  lines* previous_ = nullptr;
};
// The source number and the place of a position of the text being compiled (no place
// outside a scope).
std::uint32_t currentSource();
localSourcePlace sourcePlaceOf(unsigned position);

// A node of the given kind carrying the executor of the block it is compiled into; the
// statement starts at statementStart, and its text, copied from the source, at textStart.
localOperatorCompiled makeNode(const localOperatorCompiled& block, localCompiledOperatorType kind,
                               unsigned position, const std::wstring& name, const std::wstring& text,
                               unsigned statementStart, unsigned textStart);

// Skips void characters and steps over the ";" that must stand there; otherwise
// localErrorTypeSYNTAXexpectedSemicolon, without a trace (call statements, RETURN).
bool consumeSemicolon(localReturnStateType& state, const std::wstring& text, unsigned& position);

// Runs the evaluator in check-only mode: finds where the expression ends (past the
// void characters after it) and rejects malformed ones.
bool checkExpression(localReturnStateType& state, const std::wstring& text, unsigned& position,
                     localContextUTF8* context);

// The ";" that closes a statement started at statementStart; on failure the two
// "finished at line" / faulty-text lines and localErrorTypeSYNTAXexpectedSemicolon.
bool statementEnd(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  unsigned statementStart);

// Compiles a nested block (branch or body) into a new heap node carrying executor;
// the terminator signal that closed it is left in the state.
bool compileNestedBlock(localReturnStateType& state, const std::wstring& text, unsigned& position,
                        localContextUTF8* context, localOperatorCompiled::executorType executor,
                        std::unique_ptr<localOperatorCompiled>& body);

// The two lines reported when a call statement or assignment does not scan:
// the faulty source line and the state's message. Always ends compilation.
bool reportStatementFailure(localReturnStateType& state, const std::wstring& text, unsigned position,
                            unsigned lineTrace, unsigned messageTrace);

bool compilePrint(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart);
bool compileIf(localReturnStateType& state, const std::wstring& text, unsigned& position,
               localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart);
bool compileFor(localReturnStateType& state, const std::wstring& text, unsigned& position,
                localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart);
bool compileWhile(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart);
bool compileFunction(localReturnStateType& state, const std::wstring& text, unsigned& position,
                     localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart);
bool compileReturn(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   localContextUTF8* context);
bool compileSimple(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   localContextUTF8* context, localOperatorCompiled& block, unsigned statementStart,
                   const std::wstring& upperWord);

}  // namespace localCompile
