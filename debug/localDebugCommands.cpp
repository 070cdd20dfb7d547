#include "debug/localDebugCommands.h"

#include <array>
#include <vector>

#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

namespace localDebug {

namespace {

enum class command { breakAt, remove, run, step, next, finish, print, where, list, watch, help, quit };

struct spelling {
  const wchar_t* english;
  const wchar_t* russian;
  command what;
};

// In the order help lists them.
const std::array<spelling, 12> spellings = {{
    {L"BREAK", L"ОСТАНОВ", command::breakAt},
    {L"DELETE", L"УДАЛИТЬ", command::remove},
    {L"CONTINUE", L"ПРОДОЛЖИТЬ", command::run},
    {L"STEP", L"ШАГ", command::step},
    {L"NEXT", L"ДАЛЕЕ", command::next},
    {L"FINISH", L"ВОЗВРАТ", command::finish},
    {L"PRINT", L"ПЕЧАТЬ", command::print},
    {L"WHERE", L"ГДЕ", command::where},
    {L"LIST", L"ТЕКСТ", command::list},
    {L"WATCH", L"СЛЕДИТЬ", command::watch},
    {L"HELP", L"ПОМОЩЬ", command::help},
    {L"QUIT", L"ВЫХОД", command::quit},
}};

std::wstring lower(const wchar_t* upper) {
  std::wstring text(upper);
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c >= L'А' && c <= L'Я') c = static_cast<wchar_t>(c - L'А' + L'а');
  }
  return text;
}

// The command a word names: the spelling it is, or the one spelling it begins. Several
// commands that it begins are listed in `candidates`.
std::optional<command> commandOf(const std::wstring& word, std::wstring& candidates) {
  const std::wstring upper = localString::wstringToUpper(word);
  std::vector<const spelling*> found;
  for (const spelling& entry : spellings) {
    if (upper == entry.english || upper == entry.russian) return entry.what;
    const bool begins = std::wstring_view(entry.english).starts_with(upper) ||
                        std::wstring_view(entry.russian).starts_with(upper);
    if (begins) found.push_back(&entry);
  }
  if (found.size() == 1) return found.front()->what;
  for (const spelling* entry : found) {
    const bool english = std::wstring_view(entry->english).starts_with(upper);
    candidates += (candidates.empty() ? L"" : L", ") + lower(english ? entry->english : entry->russian);
  }
  return std::nullopt;
}

std::wstring placeText(const place& where) { return where.file + L":" + std::to_wstring(where.line); }

// A whole non-negative number, or nothing.
std::optional<unsigned> numberOf(const std::wstring& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  unsigned value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  return value;
}

std::wstring failureText(localReturnStateType state) {
  return L"Ошибка: " + localString::returnStateAsString(state) + L"\n";
}

std::wstring changeText(const change& changed) {
  std::wstring text = changed.name + L": ";
  text += changed.existedBefore ? L"было " + changed.before : std::wstring(L"переменной не было");
  text += changed.existsAfter ? L", стало " + changed.after : std::wstring(L", переменной больше нет");
  return text + L"\n";
}

}  // namespace

std::optional<resume> commands::execute(const std::wstring& line, std::wstring& out) {
  unsigned position = 0;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
  if (position >= line.size()) return std::nullopt;  // an empty line does nothing
  if (line[position] == L'?') {
    printCommand(line.substr(position + 1), out);
    return std::nullopt;
  }
  const unsigned wordStart = position;
  const std::wstring word = localInterpretatorUTF8::scanStringGetWordToken(line, position);
  unsigned afterWord = position;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, afterWord);
  if (!word.empty() && afterWord < line.size() && line[afterWord] == L'=') {
    localReturnStateType state = localErrorTypeOK;
    if (!debugger_.assign(state, line.substr(wordStart))) out += failureText(state);
    return std::nullopt;
  }
  const std::wstring argument =
      localString::trimR(afterWord < line.size() ? line.substr(afterWord) : std::wstring());
  std::wstring candidates;
  const std::optional<command> what = word.empty() ? std::nullopt : commandOf(word, candidates);
  if (!what) {
    const std::wstring typed = word.empty() ? localString::trimR(line.substr(wordStart)) : word;
    if (!candidates.empty()) {
      out += L"Неоднозначная команда: " + typed + L" (" + candidates + L").\n";
    } else {
      out += L"Неизвестная команда: " + typed + L".\n";
    }
    out += L"Команды: break, delete, continue, step, next, finish, print, where, list, watch, help, quit; "
           L"присваивание: имя = выражение.\n";
    return std::nullopt;
  }
  switch (*what) {
    case command::breakAt:
      breakCommand(argument, out);
      return std::nullopt;
    case command::remove:
      deleteCommand(argument, out);
      return std::nullopt;
    case command::run:
      return resume::run;
    case command::step:
      return resume::step;
    case command::next:
      return resume::next;
    case command::finish:
      return resume::finish;
    case command::print:
      printCommand(argument, out);
      return std::nullopt;
    case command::where:
      whereCommand(out);
      return std::nullopt;
    case command::list:
      listCommand(argument, out);
      return std::nullopt;
    case command::watch:
      watchCommand(argument, out);
      return std::nullopt;
    case command::help:
      help(out);
      return std::nullopt;
    case command::quit:
      return resume::quit;
  }
  return std::nullopt;
}

void commands::breakCommand(const std::wstring& argument, std::wstring& out) {
  if (argument.empty()) {
    if (debugger_.breakpoints().empty()) {
      out += L"Точек останова нет.\n";
      return;
    }
    out += L"Точки останова:\n";
    for (const breakpoint& point : debugger_.breakpoints()) {
      out += L"  " + std::to_wstring(point.number) + L"  ";
      out += point.procedure.empty() ? placeText(point.where) : L"процедура " + point.procedure;
      out += L"\n";
    }
    return;
  }
  // LINE, or FILE:LINE for a file the program ran with DO.
  const std::size_t colon = argument.rfind(L':');
  const std::wstring file = colon == std::wstring::npos ? std::wstring() : argument.substr(0, colon);
  if (const std::optional<unsigned> line = numberOf(colon == std::wstring::npos ? argument : argument.substr(colon + 1))) {
    const breakpoint point = debugger_.breakAtLine(*line, file);
    if (!point.verified) {
      out += L"Точка останова " + std::to_wstring(point.number) + L": " + placeText(point.where) +
             L" (файл ещё не выполнялся)\n";
      return;
    }
    if (debugger::lost(point) || *line == 0) {
      debugger_.deleteBreakpoint(point.number);
      out += L"В " + point.where.file + L" нет операторов в строке " + std::to_wstring(*line) +
             L" и после неё: точка останова не поставлена.\n";
      return;
    }
    out += L"Точка останова " + std::to_wstring(point.number) + L": " + placeText(point.where);
    if (point.where.line != point.askedLine)
      out += L" (в строке " + std::to_wstring(point.askedLine) + L" нет оператора)";
    out += L"\n";
    return;
  }
  unsigned position = 0;
  const std::wstring name = localInterpretatorUTF8::scanStringGetWordToken(argument, position);
  if (name.empty() || position != argument.size()) {
    out += L"Укажите номер строки или имя процедуры: break 12, break ИМЯ.\n";
    return;
  }
  const breakpoint point = debugger_.breakAtProcedure(name);
  out += L"Точка останова " + std::to_wstring(point.number) + L": процедура " + point.procedure;
  if (!point.verified) out += L" (такой процедуры пока нет)";
  out += L"\n";
}

void commands::deleteCommand(const std::wstring& argument, std::wstring& out) {
  if (argument.empty()) {
    debugger_.deleteBreakpoints();
    out += L"Все точки останова удалены.\n";
    return;
  }
  const std::optional<unsigned> number = numberOf(argument);
  if (!number) {
    out += L"Укажите номер точки останова: delete 1.\n";
  } else if (debugger_.deleteBreakpoint(static_cast<int>(*number))) {
    out += L"Точка останова " + argument + L" удалена.\n";
  } else {
    out += L"Нет точки останова " + argument + L".\n";
  }
}

void commands::printCommand(const std::wstring& argument, std::wstring& out) {
  if (localString::trimL(argument).empty()) {
    out += L"Укажите выражение: print x + 1.\n";
    return;
  }
  localReturnStateType state = localErrorTypeOK;
  localValueDescription value;
  if (!debugger_.evaluate(state, argument, value)) {
    out += failureText(state);
    return;
  }
  out += value.toString() + L"\n";
}

void commands::whereCommand(std::wstring& out) const {
  const std::vector<frame> frames = debugger_.stack();
  for (std::size_t i = 0; i < frames.size(); ++i) {
    out += L"#" + std::to_wstring(i) + L"  " + (frames[i].program ? L"программа" : frames[i].procedure) + L"  " +
           placeText(frames[i].where) + L"\n";
  }
}

void commands::listCommand(const std::wstring& argument, std::wstring& out) {
  const place here = debugger_.current();
  unsigned centre = here.line;
  if (!argument.empty()) {
    const std::optional<unsigned> line = numberOf(argument);
    if (!line) {
      out += L"Укажите номер строки: list 10.\n";
      return;
    }
    centre = *line;
  }
  const unsigned from = centre > 5 ? centre - 5 : 1;
  const auto lines = debugger_.sourceLines(here.file, from, centre + 5);
  if (lines.empty()) out += L"В " + (here.file.empty() ? debugger_.programFile() : here.file) + L" нет таких строк.\n";
  for (const auto& [number, text] : lines) out += sourceLine(here.file, number, text, number == here.line);
}

void commands::watchCommand(const std::wstring& argument, std::wstring& out) {
  if (argument.empty()) {
    const std::vector<variable> watched = debugger_.watched();
    if (watched.empty()) out += L"Слежения нет.\n";
    for (const variable& entry : watched) {
      out += L"  " + entry.name + L" = " + (entry.kind < 0 ? L"(переменной нет)" : entry.value) + L"\n";
    }
    return;
  }
  unsigned position = 0;
  const std::wstring name = localInterpretatorUTF8::scanStringGetWordToken(argument, position);
  if (name.empty() || position != argument.size()) {
    out += L"Укажите имя переменной: watch x.\n";
    return;
  }
  if (!debugger_.watch(name)) {
    out += L"За " + localString::wstringToUpper(name) + L" уже следим.\n";
    return;
  }
  for (const variable& entry : debugger_.watched()) {
    if (entry.name != localString::wstringToUpper(name)) continue;
    out += L"Слежение за " + entry.name + L": " + (entry.kind < 0 ? L"переменной пока нет" : entry.value) + L"\n";
  }
}

void commands::help(std::wstring& out) {
  out +=
      L"Команды отладчика (по-английски или по-русски, можно начало слова):\n"
      L"  break [ФАЙЛ:]СТРОКА (останов)      точка останова на строке\n"
      L"  break ИМЯ (останов)                точка останова на входе в процедуру\n"
      L"  break (останов)                    список точек останова\n"
      L"  delete [N] (удалить)               удалить точку останова N или все\n"
      L"  continue (продолжить)              выполнять до точки останова\n"
      L"  step (шаг)                         следующая строка, с заходом в процедуры\n"
      L"  next (далее)                       следующая строка, без захода в процедуры\n"
      L"  finish (возврат)                   выполнить до выхода из процедуры\n"
      L"  print ВЫРАЖЕНИЕ (печать, ?)        значение выражения\n"
      L"  ИМЯ = ВЫРАЖЕНИЕ                    изменить переменную\n"
      L"  where (где)                        стек процедур\n"
      L"  list [СТРОКА] (текст)              текст программы вокруг строки\n"
      L"  watch ИМЯ (следить)                остановиться, когда значение изменится\n"
      L"  help (помощь)                      эта справка\n"
      L"  quit (выход)                       закончить программу и вернуться в консоль\n";
}

std::wstring commands::sourceLine(const std::wstring&, unsigned line, const std::wstring& text, bool current) const {
  std::wstring number = std::to_wstring(line);
  if (number.size() < 4) number.insert(0, 4 - number.size(), L' ');
  return (current ? L"->" : L"  ") + number + L"  " + text + L"\n";
}

std::wstring commands::describeStop(const stop& event) const {
  std::wstring text;
  for (const change& changed : event.changes) text += changeText(changed);
  const std::wstring where = placeText(event.where);
  switch (event.why) {
    case reason::entry:
      text += L"Остановка перед первым оператором: " + where + L"\n";
      break;
    case reason::step:
    case reason::watch:
      text += where + L"\n";
      break;
    case reason::breakpoint:
      text += L"Точка останова " + std::to_wstring(event.breakpoint) + L": " + where + L"\n";
      break;
    case reason::procedure:
      text += L"Точка останова " + std::to_wstring(event.breakpoint) + L", процедура " + event.procedure + L": " +
              where + L"\n";
      break;
    case reason::interrupt:
      text += L"Прервано (Ctrl-C): " + where + L"\n";
      break;
  }
  return text + sourceLine(event.where.file, event.where.line, event.sourceLine, true);
}

std::wstring commands::describeEnd(bool succeeded, bool quit) {
  if (quit) return L"Программа остановлена.\n";
  return succeeded ? L"Программа завершена.\n" : L"Программа завершилась с ошибкой.\n";
}

}  // namespace localDebug
