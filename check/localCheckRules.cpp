#include "check/localCheckRules.h"

#include <algorithm>

#include "context/localContextUTF8.h"
#include "shell/localShellCommands.h"

namespace localCheck {

namespace {

using tokens = std::vector<token>;

bool isFunctionKeyword(const token& t) {
  return t.is(L"FUNCTION") || t.is(L"ФУНКЦИЯ") || t.is(L"PROCEDURE") || t.is(L"ПРОЦЕДУРА");
}

// Words that open or continue a statement's syntax rather than name a value.
bool isKeyword(const token& t) {
  static const wchar_t* const words[] = {
      L"IF",    L"ЕСЛИ",  L"THEN",  L"ТОГДА", L"ELSE",  L"ИНАЧЕ", L"ELSEIF", L"ИНАЧЕЕСЛИ", L"ENDIF", L"КОНЕЦЕСЛИ",
      L"FOR",   L"ДЛЯ",   L"TO",    L"ПО",    L"DO",    L"ЦИКЛ",  L"ENDDO",  L"КОНЕЦЦИКЛА", L"WHILE", L"ПОКА",
      L"RETURN", L"ВОЗВРАТ", L"ENDFUNCTION", L"КОНЕЦФУНКЦИИ", L"ENDPROCEDURE", L"КОНЕЦПРОЦЕДУРЫ", L"PRINT"};
  if (t.kind != tokenKind::name) return false;
  if (isFunctionKeyword(t)) return true;
  return std::any_of(std::begin(words), std::end(words), [&](const wchar_t* w) { return t.upper == w; });
}

// Where a statement may begin: at the start, after ";", or after a keyword that ends a
// header (THEN, DO, ELSE) or a function's ")".
bool startsStatement(const tokens& all, std::size_t i) {
  if (i == 0) return true;
  const token& before = all[i - 1];
  return before.isSymbol(L';') || before.is(L"THEN") || before.is(L"ТОГДА") || before.is(L"DO") ||
         before.is(L"ЦИКЛ") || before.is(L"ELSE") || before.is(L"ИНАЧЕ") || before.isSymbol(L')');
}

// The index of the ")" that closes the "(" at `open`, or the size when it is not closed.
std::size_t closingBracket(const tokens& all, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < all.size(); ++i) {
    if (all[i].isSymbol(L'(')) ++depth;
    if (all[i].isSymbol(L')') && --depth == 0) return i;
    if (all[i].isSymbol(L';')) return all.size();
  }
  return all.size();
}

diagnostic warningAt(const token& from, const token& to, const char* name, std::wstring message) {
  diagnostic d;
  d.line = from.line;
  d.column = from.column;
  d.endColumn = to.line == from.line ? to.endColumn : from.endColumn;
  d.level = severity::warning;
  d.name = name;
  d.message = std::move(message);
  return d;
}

// Functions the evaluator answers before it asks the context's table.
bool isEvaluatorsOwn(const std::wstring& upper) {
  return upper == L"FORMAT" || upper == L"ФОРМАТ" || upper == L"PI" || upper == L"M1ESSAGE" || upper == L"С1ООБЩИТЬ";
}

bool isOperand(const token& t) {
  return (t.kind != tokenKind::symbol && !isKeyword(t)) || t.isSymbol(L')');
}

// Levels of the binary operators; comparisons are all below the arithmetic ones.
int levelOf(const tokens& all, std::size_t i) {
  const token& t = all[i];
  if (t.kind != tokenKind::symbol) return 0;
  switch (t.text[0]) {
    case L'-': return 7;
    case L'+': return 8;
    case L'/': return 9;
    case L'*': return 10;
    case L'=': case L'<': case L'>': return 1;
    default: return 0;
  }
}

bool endsExpression(const token& t) {
  return t.isSymbol(L';') || t.isSymbol(L',') || t.isSymbol(L')') || isKeyword(t);
}

// The value written by `t.SETVALUE(line, column, value)` looks like a number: a number
// literal (signed or not), a loop variable, or arithmetic without any string.
bool looksNumeric(const programFacts& facts, const tokens& all, std::size_t from, std::size_t to) {
  bool number = false;
  for (std::size_t i = from; i < to; ++i) {
    const token& t = all[i];
    if (t.kind == tokenKind::string) return false;
    if (t.kind == tokenKind::number) number = true;
    if (t.kind == tokenKind::name) {
      if (i + 1 < to && all[i + 1].isSymbol(L'(')) return false;  // a call: its kind is unknown
      if (std::find(facts.loopVariables.begin(), facts.loopVariables.end(), t.upper) != facts.loopVariables.end())
        number = true;
      else if (to - from == 1)
        return false;
    }
  }
  return number;
}

// The argument ranges of a call whose "(" is at `open`: [first, end) pairs at depth 1.
std::vector<std::pair<std::size_t, std::size_t>> argumentsOf(const tokens& all, std::size_t open) {
  std::vector<std::pair<std::size_t, std::size_t>> result;
  const std::size_t close = closingBracket(all, open);
  if (close >= all.size() || close == open + 1) return result;
  std::size_t start = open + 1;
  int depth = 0;
  for (std::size_t i = open + 1; i <= close; ++i) {
    if (all[i].isSymbol(L'(')) ++depth;
    if (all[i].isSymbol(L')')) {
      if (depth == 0) {
        result.emplace_back(start, i);
        break;
      }
      --depth;
    }
    if (depth == 0 && all[i].isSymbol(L',')) {
      result.emplace_back(start, i);
      start = i + 1;
    }
  }
  return result;
}

bool isMethodCall(const tokens& all, std::size_t i, const wchar_t* english, const wchar_t* russian) {
  return i >= 2 && all[i - 1].isSymbol(L'.') && all[i - 2].kind == tokenKind::name &&
         (all[i].is(english) || all[i].is(russian)) && i + 1 < all.size() && all[i + 1].isSymbol(L'(');
}

}  // namespace

bool programFacts::isDeclared(const std::wstring& upper) const {
  return std::find(declared.begin(), declared.end(), upper) != declared.end();
}

programFacts gatherFacts(const tokenizedText& text, localContextUTF8& context) {
  programFacts facts;
  facts.text = &text;
  facts.context = &context;
  const tokens& all = text.tokens;
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    if (isFunctionKeyword(all[i]) && all[i + 1].kind == tokenKind::name) facts.declared.push_back(all[i + 1].upper);
    if ((all[i].is(L"FOR") || all[i].is(L"ДЛЯ")) && all[i + 1].kind == tokenKind::name)
      facts.loopVariables.push_back(all[i + 1].upper);
  }
  return facts;
}

void findIgnoredParameters(const programFacts& facts, std::vector<diagnostic>& found) {
  const tokens& all = facts.text->tokens;
  for (std::size_t i = 0; i + 3 < all.size(); ++i) {
    if (!isFunctionKeyword(all[i]) || all[i + 1].kind != tokenKind::name || !all[i + 2].isSymbol(L'(')) continue;
    const std::size_t close = closingBracket(all, i + 2);
    if (close >= all.size() || close == i + 3) continue;
    found.push_back(warningAt(all[i + 3], all[close - 1], "ignored-parameters",
                              L"the parameters of " + all[i + 1].text + L" receive no values: a call passes none; "
                              L"pass values in variables the caller sets"));
  }
}

void findReturnValues(const programFacts& facts, std::vector<diagnostic>& found) {
  const tokens& all = facts.text->tokens;
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    if (!(all[i].is(L"RETURN") || all[i].is(L"ВОЗВРАТ")) || all[i + 1].isSymbol(L';')) continue;
    found.push_back(warningAt(all[i], all[i], "return-value",
                              L"RETURN gives no value back: a call's value is always 0; "
                              L"leave the result in a variable"));
  }
}

void findCallArguments(const programFacts& facts, std::vector<diagnostic>& found) {
  const tokens& all = facts.text->tokens;
  for (std::size_t i = 0; i + 2 < all.size(); ++i) {
    const token& name = all[i];
    if (name.kind != tokenKind::name || !all[i + 1].isSymbol(L'(') || all[i + 2].isSymbol(L')')) continue;
    if (!facts.isDeclared(name.upper) || (i > 0 && (isFunctionKeyword(all[i - 1]) || all[i - 1].isSymbol(L'.'))))
      continue;
    const std::size_t close = closingBracket(all, i + 1);
    const token& last = close < all.size() ? all[close] : all[i + 1];
    found.push_back(warningAt(name, last, "call-arguments",
                              L"the arguments of " + name.text + L" are evaluated but not passed: " + name.text +
                                  L" sees none of them"));
  }
}

void findOperatorBinding(const programFacts& facts, std::vector<diagnostic>& found) {
  const tokens& all = facts.text->tokens;
  for (std::size_t i = 1; i + 1 < all.size(); ++i) {
    const int level = levelOf(all, i);
    if ((level != 7 && level != 9) || !isOperand(all[i - 1])) continue;
    // The operators after it at the same depth, until one that binds no tighter ends its right side.
    const wchar_t tighter = level == 7 ? L'+' : L'*';
    int depth = 0;
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      const token& t = all[j];
      if (t.isSymbol(L'(')) {
        ++depth;
        continue;
      }
      if (depth > 0) {
        if (t.isSymbol(L')')) --depth;
        if (t.isSymbol(L';')) break;
        continue;
      }
      if (endsExpression(t)) break;
      const int next = levelOf(all, j);
      if (next == 0 || !isOperand(all[j - 1])) continue;
      if (t.isSymbol(tighter)) {
        const std::wstring op = all[i].text;
        found.push_back(warningAt(all[i], t, "operator-binding",
                                  L"a " + op + L" b " + t.text + L" c binds as a " + op + L" (b " + t.text +
                                      L" c) here; write (a " + op + L" b) " + t.text + L" c if that is meant, or "
                                      L"bracket the right side"));
        break;
      }
      if (next <= level) break;
    }
  }
}

void findSortByNumbers(const programFacts& facts, std::vector<diagnostic>& found) {
  const tokens& all = facts.text->tokens;
  // Columns of each table variable in order of NEWCOLUMN, and the columns given numbers.
  struct table {
    std::wstring name;
    std::vector<std::wstring> columns;
    std::vector<std::wstring> numeric;
  };
  std::vector<table> tables;
  const auto tableOf = [&tables](const std::wstring& name) -> table& {
    for (table& t : tables)
      if (t.name == name) return t;
    tables.push_back({name, {}, {}});
    return tables.back();
  };
  for (std::size_t i = 2; i < all.size(); ++i) {
    if (isMethodCall(all, i, L"NEWCOLUMN", L"НОВАЯКОЛОНКА") && i + 2 < all.size() &&
        all[i + 2].kind == tokenKind::string) {
      const std::wstring& quoted = all[i + 2].text;
      tableOf(all[i - 2].upper).columns.push_back(quoted.substr(1, quoted.size() >= 2 ? quoted.size() - 2 : 0));
    }
    if (!isMethodCall(all, i, L"SETVALUE", L"УСТАНОВИТЬЗНАЧЕНИЕ")) continue;
    const auto arguments = argumentsOf(all, i + 1);
    if (arguments.size() != 3 || arguments[1].second != arguments[1].first + 1) continue;
    if (!looksNumeric(facts, all, arguments[2].first, arguments[2].second)) continue;
    table& target = tableOf(all[i - 2].upper);
    const token& column = all[arguments[1].first];
    if (column.kind == tokenKind::string && column.text.size() >= 2) {
      target.numeric.push_back(column.text.substr(1, column.text.size() - 2));
    } else if (column.kind == tokenKind::number) {
      const std::size_t index = static_cast<std::size_t>(std::wcstoul(column.text.c_str(), nullptr, 10));
      if (index >= 1 && index <= target.columns.size()) target.numeric.push_back(target.columns[index - 1]);
    }
  }
  for (std::size_t i = 2; i + 3 < all.size(); ++i) {
    if (!isMethodCall(all, i, L"SORT", L"СОРТИРОВАТЬ") || all[i + 2].kind != tokenKind::string) continue;
    const std::wstring& quoted = all[i + 2].text;
    const std::wstring column = quoted.substr(1, quoted.size() >= 2 ? quoted.size() - 2 : 0);
    const table& sorted = tableOf(all[i - 2].upper);
    if (std::find(sorted.numeric.begin(), sorted.numeric.end(), column) == sorted.numeric.end()) continue;
    found.push_back(warningAt(all[i], all[i + 2], "sort-numbers",
                              L"column " + quoted + L" holds numbers, and SORT orders by the printed text "
                              L"(10 before 9); sort by a key of equal width, e.g. RIGHT('0000000000' + STRING(n), 10)"));
  }
}

void findCommandWords(const programFacts& facts, std::vector<diagnostic>& found) {
  const tokens& all = facts.text->tokens;
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    if (all[i].kind != tokenKind::name || !all[i + 1].isSymbol(L'=') || !startsStatement(all, i)) continue;
    if (isKeyword(all[i]) || !localShellCommands::isCommandWord(all[i].upper)) continue;
    found.push_back(warningAt(all[i], all[i], "command-word",
                              all[i].text + L" is a console command: in a program file `" + all[i].text +
                                  L" = ...` runs the command; choose another name"));
  }
}

void findUndeclaredCalls(const programFacts& facts, std::vector<diagnostic>& found) {
  const tokens& all = facts.text->tokens;
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    const token& name = all[i];
    if (name.kind != tokenKind::name || !all[i + 1].isSymbol(L'(') || isKeyword(name)) continue;
    if (i > 0 && (all[i - 1].isSymbol(L'.') || isFunctionKeyword(all[i - 1]))) continue;
    if (facts.isDeclared(name.upper) || isEvaluatorsOwn(name.upper) || facts.context->funcGetPointer(name.upper) != nullptr)
      continue;
    found.push_back(warningAt(name, name, "undeclared-call",
                              name.text + L" is declared nowhere in this file and is no built-in function: "
                                          L"the call fails unless a program run before declares it"));
  }
}

}  // namespace localCheck
