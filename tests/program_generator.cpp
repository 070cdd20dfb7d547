#include "tests/program_generator.h"

#include <vector>

namespace programGenerator {

namespace {

class writer {
 public:
  writer(unsigned seed, std::wstring includedPath) : random_(seed), includedPath_(std::move(includedPath)) {}

  std::wstring program(bool mayInclude, const std::wstring& scope, int functions) {
    mayInclude_ = mayInclude;
    functionScope_ = scope;
    std::wstring text;
    for (int i = 1; i <= functions; ++i) {
      callable_ = i - 1;  // a function calls only the ones before it: no recursion
      scope_ = functionName(i);
      text += keyword(L"FUNCTION", L"ФУНКЦИЯ") + L" " + scope_ + L"()\n";
      text += block(1, 2 + pick(3));
      text += keyword(L"ENDFUNCTION", L"КОНЕЦФУНКЦИИ") + L";\n";
    }
    callable_ = functions;
    scope_ = scope;
    text += L"A = 1; B = 2.5; N = 0; S = 'ab'; T = \"c\";\n";
    if (chance(70)) text += L"O1 = CREATEOBJECT('TEST');\n";
    tables_ = chance(60);
    if (tables_) {
      text += L"ok = CLASSLOAD('VALUETABLE'); V = CREATEOBJECT('VALUETABLE');\n";
      text += L"k = V.NEWCOLUMN('a'); k = V.NEWCOLUMN('b'); k = V.NEWLINE(); k = V.NEWLINE(); k = V.NEWLINE();\n";
      text += L"k = V.SETVALUE(1, 1, 3); k = V.SETVALUE(2, 'b', 'cell'); k = V.SETVALUE(3, 2, 0.5);\n";
    }
    text += block(0, 4 + pick(6));
    return text;
  }

 private:
  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  bool chance(int percent) { return pick(100) < percent; }
  std::wstring keyword(const wchar_t* english, const wchar_t* russian) { return chance(50) ? english : russian; }
  std::wstring anyCase(const std::wstring& name) {
    if (chance(70)) return name;
    std::wstring lower;
    for (wchar_t c : name) lower.push_back(c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c);
    return lower;
  }

  std::wstring numberVariable() { return anyCase(std::vector<std::wstring>{L"A", L"B", L"N"}[pick(3)]); }
  std::wstring stringVariable() { return anyCase(std::vector<std::wstring>{L"S", L"T"}[pick(2)]); }
  std::wstring counter(int depth) { return scope_ + L"L" + std::to_wstring(depth); }

  std::wstring numberLiteral() {
    switch (pick(6)) {
      case 0:
        return L"0";
      case 1:
        return L"2.5";
      case 2:
        return L".5";
      case 3:
        return L"007";
      default:
        return std::to_wstring(pick(20));
    }
  }

  std::wstring brackets(const std::wstring& inner) {
    const int depth = chance(5) ? 150 + pick(120) : 1 + pick(3);
    return std::wstring(static_cast<std::size_t>(depth), L'(') + inner + std::wstring(static_cast<std::size_t>(depth), L')');
  }

  std::wstring numberOperand(int depth) {
    if (depth > 2 || chance(40)) return chance(50) ? numberLiteral() : numberVariable();
    if (tables_ && chance(10)) return tableRead(depth);
    switch (pick(16)) {
      case 0:
      case 1:
      case 2:
        return numberLiteral();
      case 3:
      case 4:
      case 5:
        return numberVariable();
      case 6:
        return brackets(numberExpression(depth + 1));
      case 7:
        return L"STRLEN(" + stringExpression(depth + 1) + L")";
      case 8:
        return L"MAX(" + numberExpression(depth + 1) + L", " + numberExpression(depth + 1) + L")";
      case 9:
        return chance(50) ? L"INT(" + numberExpression(depth + 1) + L")" : L"МИН(" + numberExpression(depth + 1) + L" 3)";
      case 10:
        return callable_ > 0 ? functionName(1 + pick(callable_)) + L"()" : L"PI()";
      case 11:
        return chance(90) ? L"O1.GETINTPLUS(" + numberExpression(depth + 1) + L")" : L"O1.self.ATTRIBINT";
      case 12:
        return chance(95) ? L"O1.GETINT()" : L"O1.NOSUCH";
      case 13:
        return chance(95) ? L"NUMBER('12')" : L"PI(1)";
      case 14:
        return chance(98) ? counterOrLiteral() : L"zz";
      default:
        return numberLiteral();
    }
  }

  // A cell of the table V: mostly one that exists and holds a number; now and then a
  // text, a line past the end or a column by name.
  std::wstring tableRead(int depth) {
    return anyCase(chance(80) ? L"V.GETVALUE(" : L"V.ПОЛУЧИТЬЗНАЧЕНИЕ(") + tableLine(depth) + L", " + tableColumn() + L")";
  }
  std::wstring tableLine(int depth) {
    if (chance(90)) return std::to_wstring(1 + pick(3));
    if (chance(50) && loopDepth_ > 0) return counter(pick(loopDepth_)) + (chance(50) ? L" + 1" : L"");
    return chance(70) ? L"(" + numberLiteral() + L" - 1)" : numberExpression(depth + 1);
  }
  std::wstring tableColumn() {
    switch (pick(10)) {
      case 0:
        return L"'a'";
      case 1:
        return L"2 - 1";
      case 2:
        return chance(50) ? L"'b'" : L"2";
      default:
        return L"1";
    }
  }
  std::wstring tableStatement(int depth) {
    switch (pick(6)) {
      case 0:
      case 1:
        return L"K = V.SETVALUE(" + tableLine(depth) + L", " + tableColumn() + L", " + numberExpression(1) + L");\n";
      case 2:
        return L"K = V.SETVALUE(" + tableLine(depth) + L", 1, " + tableRead(depth) + L");\n";
      case 3:
        return L"X = " + tableRead(depth) + L";\n";
      case 4:
        return L"Q = " + tableRead(depth) + L" + " + numberOperand(1) + L";\n";
      default:
        // The variable changes what it holds: another table, or a number for a while.
        return chance(50) ? L"W = V; V = CREATEOBJECT('VALUETABLE'); k = V.NEWCOLUMN('a'); k = V.NEWLINE();\n"
                          : L"Z = V; V = 4; V = Z;\n";
    }
  }

  std::wstring counterOrLiteral() { return loopDepth_ > 0 ? counter(pick(loopDepth_)) : numberLiteral(); }

  std::wstring stringOperand(int depth) {
    switch (depth > 2 || chance(40) ? pick(3) : pick(9)) {
      case 0:
        return chance(50) ? L"'x'" : L"\"yz\"";
      case 1:
      case 2:
        return literalStrings_ ? L"'w'" : stringVariable();
      case 3:
        return brackets(stringExpression(depth + 1));
      case 4:
        return L"STRING(" + numberExpression(depth + 1) + L")";
      case 5:
        return L"TRIMALL(' q ')";
      case 6:
        return L"RIGHT(" + stringExpression(depth + 1) + L", 1)";
      case 7:
        return L"TYPEASSTRING(" + (chance(50) ? numberOperand(depth + 1) : stringOperand(depth + 1)) + L")";
      default:
        return L"FORMAT(" + numberOperand(depth + 1) + L", 'f')";
    }
  }

  std::wstring numberOperator() {
    static const wchar_t* const operators[] = {L"+", L"-", L"*", L"/", L" + ", L" - "};
    return operators[pick(6)];
  }
  std::wstring comparison() {
    static const wchar_t* const operators[] = {L"=", L"<>", L"<", L">", L"<=", L">="};
    return operators[pick(6)];
  }

  std::wstring numberExpression(int depth) {
    std::wstring text = numberOperand(depth);
    const int more = depth > 1 ? pick(2) : pick(3);
    for (int i = 0; i < more; ++i) {
      if (chance(3)) {
        text += L" + " + stringOperand(depth);  // a type mismatch now and then
      } else {
        const std::wstring operation = numberOperator();
        // Mostly a divisor that is not zero, so that programs run on.
        text += operation + (operation == L"/" && chance(90) ? std::to_wstring(1 + pick(9)) : numberOperand(depth));
      }
    }
    return text;
  }

  std::wstring stringExpression(int depth) {
    std::wstring text = stringOperand(depth);
    const int more = depth > 1 ? pick(2) : pick(3);
    for (int i = 0; i < more; ++i) text += (chance(1) ? L" - " : L" + ") + stringOperand(depth);
    return text;
  }

  std::wstring condition() {
    if (chance(70)) return numberExpression(1) + L" " + comparison() + L" " + numberExpression(1);
    if (chance(80)) return stringExpression(1) + comparison() + stringExpression(1);
    return numberExpression(1);
  }

  std::wstring statement(int depth) {
    if (tables_ && chance(15)) return tableStatement(depth);
    const int choice = pick(loopDepth_ > 0 ? 16 : 12);
    switch (choice) {
      case 0:
      case 1:
      case 2:
        return numberVariable() + L" = " + numberExpression(0) + L";\n";
      case 3: {
        // The right side names no string variable, so strings grow by a bounded amount
        // per pass instead of doubling.
        literalStrings_ = true;
        const std::wstring text = stringVariable() + L" = " + (chance(50) ? stringVariable() + L" + " : L"") +
                                  stringExpression(0) + L";\n";
        literalStrings_ = false;
        return text;
      }
      case 4:
      case 5:
        return L"? " + (chance(60) ? numberExpression(0) : stringExpression(0)) + L";\n";
      case 6:
        return depth < 3 ? ifChain(depth) : L"? 1;\n";
      case 7:
        return depth < 3 ? loop(depth) : L"N = N + 1;\n";
      case 8:
        return callable_ > 0 ? functionName(1 + pick(callable_)) + L"();\n" : L"M1ESSAGE(" + numberExpression(0) + L");\n";
      case 9:
        return L"M1ESSAGE(" + stringExpression(0) + L");\n";
      case 10:
        return L"X = " + condition() + L";\n";
      case 11:
        return L"Q = " + (chance(50) ? numberExpression(0) : stringExpression(0)) + L";\n";
      case 12:
        // A failure at the n-th pass.
        return keyword(L"IF", L"ЕСЛИ") + L" " + counter(pick(loopDepth_)) + L" = " + std::to_wstring(1 + pick(3)) +
               L" " + keyword(L"THEN", L"ТОГДА") + L" " + failure() + L" " + keyword(L"ENDIF", L"КОНЕЦЕСЛИ") + L";\n";
      case 13:
        return mayInclude_ && chance(50) ? L"DO \"" + includedPath_ + L"\";\n" : L"N = N + " + counter(0) + L";\n";
      case 14:
        return chance(25) ? L"CLEAR MEMORY;\n" : L"A = A + 1;\n";
      default:
        return L"S = S + 'z';\n";
    }
  }

  std::wstring functionName(int index) { return functionScope_ + L"F" + std::to_wstring(index); }

  std::wstring failure() {
    switch (pick(4)) {
      case 0:
        return L"A = 1/0;";
      case 1:
        return L"A = 'a' - 1;";
      case 2:
        return L"A = undefinedName;";
      default:
        return L"A = O1.GETINTPLUS('1');";
    }
  }

  std::wstring block(int depth, int statements) {
    std::wstring text;
    for (int i = 0; i < statements; ++i) text += std::wstring(static_cast<std::size_t>(depth) * 2, L' ') + statement(depth);
    return text;
  }

  std::wstring ifChain(int depth) {
    std::wstring text = keyword(L"IF", L"ЕСЛИ") + L" " + condition() + L" " + keyword(L"THEN", L"ТОГДА") + L"\n";
    text += block(depth + 1, 1 + pick(3));
    const int others = pick(3);
    for (int i = 0; i < others; ++i) {
      text += keyword(L"ELSEIF", L"ИНАЧЕЕСЛИ") + L" " + condition() + L" " + keyword(L"THEN", L"ТОГДА") + L"\n";
      text += block(depth + 1, 1 + pick(2));
    }
    if (chance(60)) text += keyword(L"ELSE", L"ИНАЧЕ") + L"\n" + block(depth + 1, 1 + pick(2));
    return text + keyword(L"ENDIF", L"КОНЕЦЕСЛИ") + L";\n";
  }

  std::wstring loop(int depth) {
    const std::wstring name = counter(loopDepth_);
    const std::wstring passes = std::to_wstring(1 + pick(4));
    std::wstring text;
    ++loopDepth_;
    if (chance(50)) {
      text = keyword(L"FOR", L"ДЛЯ") + L" " + name + L" = 1 " + keyword(L"TO", L"ПО") + L" " + passes + L" " +
             keyword(L"DO", L"ЦИКЛ") + L"\n" + block(depth + 1, 1 + pick(4));
    } else {
      text = name + L" = 0;\n" + keyword(L"WHILE", L"ПОКА") + L" " + name + L" < " + passes + L" " +
             keyword(L"DO", L"ЦИКЛ") + L"\n" + block(depth + 1, 1 + pick(4)) + name + L" = " + name + L" + 1;\n";
    }
    --loopDepth_;
    return text + keyword(L"ENDDO", L"КОНЕЦЦИКЛА") + L";\n";
  }

  std::mt19937 random_;
  std::wstring includedPath_;
  std::wstring scope_;
  std::wstring functionScope_;
  bool mayInclude_ = false;
  bool literalStrings_ = false;
  bool tables_ = false;  // the program made the table V
  int callable_ = 0;
  int loopDepth_ = 0;
};

}  // namespace

generated make(unsigned seed, const std::wstring& includedPath) {
  writer write(seed, includedPath);
  generated result;
  result.main = write.program(true, L"", 3);
  // The included file re-registers the main program's first function while it may run.
  result.included = write.program(false, L"D", 1) + L"FUNCTION F1() N = N + 100; ENDFUNCTION;\n";
  return result;
}

}  // namespace programGenerator
