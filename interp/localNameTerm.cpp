// The name-term scanner: reads a variable, a member chain or a call from the text and
// hands each to its piece in localNameTerm; also the argument lists of calls.
#include <iostream>
#include <string>

#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "interp/localInterpretatorUTF8.h"
#include "interp/localNameTerm.h"
#include "text/localString.h"

namespace {

void printCloseBracketExpected(unsigned position) {
  localDiagnostics() << localString::wstringToStdStringMultibyte(L"ожидается  ')' в позиции " + std::to_wstring(position))
            << "\n";
}

void printParameterExpected(unsigned position) {
  localDiagnostics() << localString::wstringToStdStringMultibyte(
                   L"Error scanStringGetNameTokenAndEvaluete() ожидается  параметр в позиции " +
                   std::to_wstring(position))
            << "\n";
}

// Follows ".name" steps after the chain's first word. Stops at a name followed by "(",
// which is a method to call: member gets its upper-cased name. Attributes are read
// (not in check-only mode) as the chain goes.
bool scanMemberChain(localReturnStateType& state, const std::wstring& text, unsigned& position,
                     localValueDescription& value, bool checkOnly, std::wstring& member, unsigned& memberAt) {
  while (localString::charAt(text, position) == L'.') {
    ++position;
    memberAt = position;
    std::wstring name(localInterpretatorUTF8::scanStringGetWordView(text, position));
    for (wchar_t& c : name) c = localString::wcharToUpper(c);
    if (localString::charAt(text, position) == L'(') {
      member = std::move(name);
      return true;
    }
    if (!checkOnly && !localNameTerm::readAttribute(state, value, name)) {
      localFailurePlace::partFailed(text, memberAt);
      return false;
    }
  }
  return true;
}

// A name term that failed: the part it names, and the name when it is a variable or a
// function that does not exist.
bool termFailed(localReturnStateType state, const std::wstring& text, unsigned at, localContextUTF8* context,
                std::wstring_view name, bool function) {
  std::wstring subject;
  if (function ? state == localErrorTypeFUNCTIONunknown && context != nullptr &&
                     context->funcFind(name) == localContextUTF8::npos
               : state == localErrorTypeVARIABLEunknown)
    subject = localString::wstringToUpper(std::wstring(name));
  localFailurePlace::partFailed(text, at, subject);
  return false;
}

// The argument list and ")" of a call whose "(" is at position, then the call itself;
// nameAt is where the function's or the method's name stands.
bool scanCall(localReturnStateType& state, const std::wstring& text, unsigned& position,
              localValueDescription& value, localContextUTF8* context, bool checkOnly,
              const localNameTerm::callee& target, unsigned termStart, unsigned nameAt) {
  ++position;
  localOwnedValueList arguments;
  if (!localInterpretatorUTF8::scanStringGetListOfValueDescriptions(state, text, position, arguments, context,
                                                                    checkOnly))
    return false;
  if (localString::charAt(text, position) != L')') {
    printCloseBracketExpected(position);
    state = localErrorTypeSYNTAXexpectedCloseBracket;
    return false;
  }
  if (checkOnly) {
    value.setVal(1.0);
  } else if (!localNameTerm::call(state, context, value, target, arguments.get(), position, termStart)) {
    return termFailed(state, text, nameAt, context, target.name, target.method == nullptr);
  }
  ++position;
  return true;
}

}  // namespace

bool localInterpretatorUTF8::scanStringGetNameTokenAndEvaluete(localReturnStateType& state,
                                                              const std::wstring& text, unsigned& position,
                                                              localValueDescription& value,
                                                              localContextUTF8* context, bool checkOnly) {
  scanStringSkipVoidChars(text, position);
  const unsigned termStart = position;
  const std::wstring_view word = scanStringGetWordView(text, position);

  if (localString::charAt(text, position) == L'.') {
    if (!checkOnly && !localNameTerm::startChain(state, context, word, position, value))
      return termFailed(state, text, termStart, context, word, false);
    std::wstring member;
    unsigned memberAt = termStart;
    if (!scanMemberChain(state, text, position, value, checkOnly, member, memberAt)) return false;
    if (member.empty() && localString::charAt(text, position) != L'(') return true;
    return scanCall(state, text, position, value, context, checkOnly, localNameTerm::callee{member, &member},
                    termStart, memberAt);
  }
  if (localString::charAt(text, position) == L'(')
    return scanCall(state, text, position, value, context, checkOnly, localNameTerm::callee{word},
                    termStart, termStart);
  if (checkOnly) return true;
  if (localNameTerm::readVariable(state, context, word, value)) return true;
  return termFailed(state, text, termStart, context, word, false);
}

bool localInterpretatorUTF8::scanStringGetListOfValueDescriptions(localReturnStateType& state,
                                                                 const std::wstring& text, unsigned& position,
                                                                 localOwnedValueList& list,
                                                                 localContextUTF8* context, bool checkOnly) {
  list.clear();
  bool argumentRead = false;
  bool commaPending = false;
  for (;;) {
    if (position >= text.size()) return true;  // the caller reports the missing ')'
    scanStringSkipVoidChars(text, position);
    if (localString::charAt(text, position) == L')') {
      if (commaPending) {
        printParameterExpected(position);
        state = localErrorTypeSYNTAX;
        return false;
      }
      return true;
    }
    if (argumentRead && !commaPending && localString::charAt(text, position) == L',') {
      ++position;
      commaPending = true;
      continue;
    }
    const unsigned argumentStart = position;
    localValueDescription& argument = list.emplace();  // the number 0
    if (!scanStringGetExpressionAndEvaluete(state, text, position, argument, context, checkOnly)) return false;
    if (position == argumentStart) {
      // An operand that consumes nothing (a character no token can start with) would
      // otherwise be read again and again.
      state = localErrorTypeSYNTAX;
      return false;
    }
    argumentRead = true;
    commaPending = false;
  }
}
