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
      // Parameters are plain variables: arguments are evaluated, not assigned.
      text += keyword(L"FUNCTION", L"ФУНКЦИЯ") + L" " + scope_ + (chance(25) ? L"(P, R)\n" : L"()\n");
      text += block(1, 2 + pick(3));
      text += keyword(L"ENDFUNCTION", L"КОНЕЦФУНКЦИИ") + L";\n";
    }
    callable_ = functions;
    scope_ = scope;
    if (mayInclude) text += changerOfS();
    recursive_ = mayInclude && chance(10);
    if (recursive_) text += recursiveFunction();
    text += L"A = 1; B = 2.5; N = 0; S = 'ab'; T = \"c\"; H = 3;\n";
    if (chance(50)) text += L"C0 = 0; C1 = 1; C2 = 2;\n";
    if (chance(90)) text += L"O1 = CREATEOBJECT('TEST');\n";
    tables_ = chance(60);
    if (tables_) {
      text += L"ok = CLASSLOAD('VALUETABLE'); V = CREATEOBJECT('VALUETABLE');\n";
      text += L"k = V.NEWCOLUMN('a'); k = V.NEWCOLUMN('b'); k = V.NEWLINE(); k = V.NEWLINE(); k = V.NEWLINE();\n";
      text += L"k = V.SETVALUE(1, 1, 3); k = V.SETVALUE(2, 'b', 'cell'); k = V.SETVALUE(3, 2, 0.5);\n";
    }
    text += block(0, 4 + pick(6));
    return text;
  }

  // The end of the included file: it re-registers a function of the main program, which
  // may be running (a body that runs DO), or makes and changes variables.
  std::wstring includedTail() {
    static const wchar_t* const tails[] = {
        L"FUNCTION F2(P) C1 = 5; ENDFUNCTION;\n",
        L"FUNCTION FS() S = 'included'; ENDFUNCTION;\n",
        L"FUNCTION F1() A = 'changed'; ENDFUNCTION;\n",
        L"C0 = 1; C2 = 'two'; A = A + 1;\n",
    };
    return chance(50) ? L"FUNCTION F1() N = N + 100; ENDFUNCTION;\n" : tails[pick(4)];
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
    if (chance(8)) return leafInBrackets();
    if (depth > 2 || chance(40)) return chance(50) ? numberLiteral() : numberVariable();
    if (tables_ && chance(10)) return tableRead(depth);
    if (chance(8)) return nestedCall(0);
    if (chance(1)) return createdName();
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
    if (chance(88)) return std::to_wstring(1 + pick(3));
    if (chance(30)) return chance(70) ? L"2.7" : L"(0 - 1)";  // truncated, or wrapping round
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
    switch (pick(9)) {
      case 0:
      case 1:
        return L"K = " + anyCase(chance(80) ? L"V.SETVALUE(" : L"V.УСТАНОВИТЬЗНАЧЕНИЕ(") + tableLine(depth) + L", " +
               tableColumn() + L", " + numberExpression(1) + L");\n";
      case 6:
        // Lines added (at a place, or at the end) and counted.
        return L"K = " + anyCase(chance(70) ? L"V.NEWLINE(" : L"V.НОВАЯСТРОКА(") +
               (chance(50) ? tableLine(depth) : L"") + L"); X = V.LINESCNT() + " +
               anyCase(chance(70) ? L"V.COLUMNCOUNT()" : L"V.КОЛИЧЕСТВОКОЛОНОК()") + L";\n";
      case 7:
        // A column of a name already found is added again, or one of a new name.
        return chance(50) ? L"k = V.NEWCOLUMN('a');\n" : L"k = V.NEWCOLUMN('b');\n";
      case 8:
        // An object of another class for a while, now and then called as a table.
        return chance(85) ? L"Z = V; V = O1; V = Z;\n" : L"Z = V; V = O1; X = V.GETVALUE(1, 1); V = Z;\n";
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
        return L"RIGHT(" + stringExpression(depth + 1) + (chance(70) ? L", 1)" : L", 65)");
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
    if (chance(5)) return anyOperand() + L" " + comparison() + L" " + anyOperand();
    if (chance(70)) return numberExpression(1) + L" " + comparison() + L" " + numberExpression(1);
    if (chance(80)) return stringExpression(1) + comparison() + stringExpression(1);
    return numberExpression(1);
  }

  std::wstring statement(int depth) {
    if (tables_ && chance(15)) return tableStatement(depth);
    if (chance(25)) return trickyStatement();
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

  // The shapes where a compiled statement is tempted to assume what an earlier pass saw:
  // kinds that change, names that appear or go, appends that read their own target,
  // failures and DO or CLEAR MEMORY at some pass only.
  std::wstring trickyStatement() {
    switch (pick(loopDepth_ > 0 ? 12 : 8)) {
      case 0:
        return kindChange();
      case 1:
      case 2:
        return append();
      case 3:
        return createdName() + L" = " + (chance(70) ? numberExpression(0) : stringExpression(0)) + L";\n";
      case 4:
        return keyword(L"IF", L"ЕСЛИ") + L" " + anyOperand() + comparison() + anyOperand() + L" " +
               keyword(L"THEN", L"ТОГДА") + L" ? 'yes'; " + keyword(L"ELSE", L"ИНАЧЕ") + L" ? 'no'; " +
               keyword(L"ENDIF", L"КОНЕЦЕСЛИ") + L";\n";
      case 5:
        return chance(50) ? L"? " + nestedCall(0) + L";\n" : numberVariable() + L" = " + nestedCall(0) + L";\n";
      case 6:
        if (mayInclude_ && chance(60)) return L"DO \"" + includedPath_ + L"\";\n";
        if (chance(30)) return L"CLEAR MEMORY;\n";
        // Classes loaded again while objects of theirs are in use.
        if (chance(15)) return chance(50) ? L"LOAD CLASS TEST;\n" : L"ok = CLASSLOAD('VALUETABLE');\n";
        return numberVariable() + L" = (" + numberVariable() + L") + ((1));\n";
      case 7:
        if (recursive_ && chance(50)) return L"D = 0; X = FR(); ? D;\n";
        return L"? " + leafInBrackets() + L" " + comparison() + L" " + leafInBrackets() + L";\n";
      case 8:
        return atPass(kindChange());
      case 9:
        // Fails at the pass where the counter reaches the subtrahend.
        return L"Q = 6 / (" + counter(pick(loopDepth_)) + L" - " + std::to_wstring(1 + pick(3)) + L");\n";
      case 10:
        return atPass(chance(50) ? L"CLEAR MEMORY;\n"
                                 : mayInclude_ ? L"DO \"" + includedPath_ + L"\";\n" : L"DO nosuchfile.prg;\n");
      default:
        // The loop's own counter changes: skips ahead, ends the loop, or takes another kind.
        return atPass(counter(pick(loopDepth_)) + L" = " +
                      std::vector<std::wstring>{L"99", L"'x'", L"O1", L"(1 < 2)", L"-1 + 1"}[pick(5)] + L";\n");
    }
  }

  // FR calls itself inside brackets or call arguments until D, its depth, reaches a
  // bound: the nesting bounds of calls and of expression levels (summed over the calls)
  // may be reached first, at a depth that depends on the brackets around the call.
  std::wstring recursiveFunction() {
    static const wchar_t* const depths[] = {L"5", L"800", L"2400", L"2600", L"6000"};
    static const wchar_t* const calls[] = {L"FR()", L"(FR())", L"(((FR())))", L"MAX(1, FR())", L"O1.GETINTPLUS(FR())",
                                           L"1 + FR()"};
    std::wstring body = L"D = D + 1; ";
    if (chance(30)) body += L"FOR FRL = 1 TO 1 DO ";
    body += keyword(L"IF", L"ЕСЛИ") + L" D < " + depths[pick(5)] + L" " + keyword(L"THEN", L"ТОГДА") + L" X = " +
            calls[pick(6)] + L"; " + keyword(L"ENDIF", L"КОНЕЦЕСЛИ") + L";";
    if (body.find(L"FOR FRL") != std::wstring::npos) body += L" ENDDO;";
    return keyword(L"FUNCTION", L"ФУНКЦИЯ") + L" FR() " + body + L" " + keyword(L"ENDFUNCTION", L"КОНЕЦФУНКЦИИ") +
           L";\n";
  }

  // A statement that runs at one pass of the loop around it.
  std::wstring atPass(const std::wstring& statement) {
    return keyword(L"IF", L"ЕСЛИ") + L" " + counter(pick(loopDepth_)) + L" = " + std::to_wstring(1 + pick(3)) + L" " +
           keyword(L"THEN", L"ТОГДА") + L"\n" + statement + keyword(L"ENDIF", L"КОНЕЦЕСЛИ") + L";\n";
  }

  // A number or string variable, the table or the object takes a value of another kind;
  // now and then it gets its number back at once.
  std::wstring kindChange() {
    std::vector<std::wstring> targets{numberVariable(), stringVariable(), L"O1"};
    if (tables_) targets.push_back(L"V");
    const std::wstring target = targets[pick(static_cast<int>(targets.size()))];
    static const wchar_t* const values[] = {L"'text'", L"S", L"O1", L"(A < 2)", L"1 = 1", L"7", L"CREATEOBJECT('TEST')",
                                            L"V", L"W", L"A"};
    const std::wstring value = values[pick(tables_ ? 10 : 7)];
    std::wstring text = target + L" = " + value + L";\n";
    if (chance(40)) text += L"? " + target + L";\n";
    if (chance(65)) text += target + L" = " + numberLiteral() + L";\n";
    return text;
  }

  // Appends to a string variable whose right side reads the target itself or calls FS,
  // which changes S. Strings may double here: the test bounds their length.
  std::wstring append() {
    const std::wstring target = stringVariable();
    switch (pick(8)) {
      case 0:
        return target + L" = " + target + L" + " + target + L";\n";
      case 7: {
        // Another name shares the text that the append changes.
        const std::wstring other = target == L"S" || target == L"s" ? L"T" : L"S";
        return other + L" = " + target + L"; " + target + L" = " + target + L" + 'w'; ? " + other + L";\n";
      }
      case 1:
        return target + L" = " + target + L" + " + target + L" + 'x';\n";
      case 2:
        // A call's value is the number 0: mostly made a text, so that the program runs on.
        if (!mayInclude_) return target + L" = " + target + L" + 'q';\n";
        return target + L" = " + target + (chance(25) ? L" + FS();\n" : L" + STRING(FS());\n");
      case 3:
        return L"S = T + S;\n";
      case 4:
        return target + L" = " + target + L" + " + (chance(30) ? numberOperand(1) : L"STRING(" + numberOperand(1) + L")") +
               L";\n";
      case 5:
        return target + L" = " + target + L" + STRING(" + target + L" = 'ab');\n";
      default:
        // Long tails share the text they come from: the append then reads the text it changes.
        return target + L" = " + target + L" + RIGHT(" + target + (chance(50) ? L", 2);\n" : L", 66);\n");
    }
  }

  // FS changes the string S while an append to it runs; the main program declares it.
  std::wstring changerOfS() {
    static const wchar_t* const bodies[] = {L"S = S + 'k';", L"S = 'r';", L"S = 5;", L"T = S; S = S + S;",
                                            L"S = O1;", L"CLEAR MEMORY;"};
    return keyword(L"FUNCTION", L"ФУНКЦИЯ") + L" FS() " + bodies[pick(chance(90) ? 5 : 6)] + L" " +
           keyword(L"ENDFUNCTION", L"КОНЕЦФУНКЦИИ") + L";\n";
  }

  // Names that exist only once some statement (in a loop, a function or the included
  // file) made them.
  std::wstring createdName() { return L"C" + std::to_wstring(pick(3)); }

  std::wstring leafInBrackets() {
    std::wstring leaf = chance(40) ? numberLiteral() : chance(60) ? numberVariable() : counterOrLiteral();
    const int depth = 1 + pick(3);
    return std::wstring(static_cast<std::size_t>(depth), L'(') + leaf + std::wstring(static_cast<std::size_t>(depth), L')');
  }

  // An operand of any kind, for comparisons of mixed kinds.
  std::wstring anyOperand() {
    switch (pick(8)) {
      case 0:
        return numberExpression(1);
      case 1:
        return stringExpression(1);
      case 2:
        return L"O1";
      case 3:
        return L"(1 < 2)";
      case 4:
        return leafInBrackets();
      case 5:
        return stringVariable();
      case 6:
        return tables_ ? L"V" : L"''";
      default:
        return numberVariable();
    }
  }

  // Calls nested inside the arguments of calls.
  std::wstring nestedCall(int depth) {
    const std::wstring inner = depth >= 3 || chance(25) ? numberOperand(3) : nestedCall(depth + 1);
    switch (pick(8)) {
      case 0:
        return L"MAX(" + inner + L", " + (chance(50) ? nestedCall(depth + 1) : numberOperand(3)) + L")";
      case 1:
        return L"INT(" + inner + L")";
      case 2:
        return L"O1.GETINTPLUS(" + inner + L")";
      case 3:
        return L"STRLEN(STRING(" + inner + L"))";
      case 4:
        return L"NUMBER(STRING(" + inner + L"))";
      case 5:
        return callable_ > 0 ? functionName(1 + pick(callable_)) + L"(" + inner + L", " + inner + L")" : L"INT(" + inner + L")";
      case 6:
        return tables_ ? L"V.GETVALUE(" + std::to_wstring(1 + pick(3)) + L", 1) + " + inner : L"(" + inner + L")";
      default:
        return brackets(inner);
    }
  }

  std::wstring whileCondition(const std::wstring& name, const std::wstring& passes) {
    switch (pick(6)) {
      case 0:
        return L"(" + name + L") < ((" + passes + L"))";
      case 1:
        return passes + L" > " + name;
      case 2:
        return name + L" <= " + passes + L" - 1";
      case 3:
        return chance(50) ? name + L" < (H)" : L"(" + name + L") <= ((H))";
      default:
        return name + L" < " + passes;
    }
  }

  std::wstring functionName(int index) { return functionScope_ + L"F" + std::to_wstring(index); }

  std::wstring failure() {
    switch (pick(10)) {
      case 0:
        return L"A = 1/0;";
      case 1:
        return L"A = 'a' - 1;";
      case 2:
        return L"A = undefinedName;";
      case 3:
        return L"A = O1 + 1;";
      case 4:
        return L"S = S * 2;";
      case 5:
        return L"A = O1.NOSUCHMETHOD(1);";
      case 6:
        return L"A = NOSUCHFUNCTION(A);";
      case 7:
        return L"? zz;";
      case 8:
        return tables_ ? L"A = V.GETVALUE(9, 9);" : L"A = A / (B - B);";
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
      const std::wstring start = chance(20) ? L"(1)" : L"1";
      const std::wstring end = chance(15) ? L"H" : chance(20) ? brackets(passes) : passes;
      text = keyword(L"FOR", L"ДЛЯ") + L" " + name + L" = " + start + L" " + keyword(L"TO", L"ПО") + L" " + end + L" " +
             keyword(L"DO", L"ЦИКЛ") + L"\n" + block(depth + 1, 1 + pick(4));
    } else {
      text = name + L" = 0;\n" + keyword(L"WHILE", L"ПОКА") + L" " + whileCondition(name, passes) + L" " +
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
  bool recursive_ = false;  // the program declared FR
  int callable_ = 0;
  int loopDepth_ = 0;
};

}  // namespace

generated make(unsigned seed, const std::wstring& includedPath) {
  writer write(seed, includedPath);
  generated result;
  result.main = write.program(true, L"", 3);
  // The included file re-registers the main program's first function while it may run.
  result.included = write.program(false, L"D", 1) + write.includedTail();
  return result;
}

}  // namespace programGenerator
