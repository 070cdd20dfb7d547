// Seed corpora and dictionaries for the fuzz targets, made from the transcripts:
//   fuzz_seeds TRANSCRIPT_DIR OUT_DIR
// writes OUT_DIR/console/ (each transcript's console input in pieces, CP866), OUT_DIR/program/
// (each program file of a transcript, CP1251), and OUT_DIR/console.dict and
// OUT_DIR/program.dict: the words of the language in the code page of each target.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/transcript_codec.h"
#include "tests/transcript_format.h"

namespace fs = std::filesystem;

namespace {

// Commands, keywords, built-in functions, classes and their members, the names the
// evaluator answers itself, a few predefined variables, and the operators. UTF-8 here.
const char* const words[] = {
    // console commands
    "DO", "HELP", "CLEAR", "CLEA", "MEMORY", "MEMO", "DIR", "DIRECTORY", "DISPLAY", "DISP", "FUNCTION", "FUNC",
    "CLASS", "CLAS", "CONTEXT", "CONT", "LOAD", "MODIFY", "MODI", "COMMAND", "COMM", "QUIT", "RUN",
    // keywords of programs
    "PRINT", "IF", "ЕСЛИ", "THEN", "ТОГДА", "ELSEIF", "ИНАЧЕЕСЛИ", "ELSE", "ИНАЧЕ", "ENDIF", "КОНЕЦЕСЛИ", "FOR",
    "ДЛЯ", "TO", "ПО", "ЦИКЛ", "ENDDO", "КОНЕЦЦИКЛА", "WHILE", "ПОКА", "ФУНКЦИЯ", "PROCEDURE", "ПРОЦЕДУРА",
    "ENDFUNCTION", "КОНЕЦФУНКЦИИ", "ENDPROCEDURE", "КОНЕЦПРОЦЕДУРЫ", "RETURN", "ВОЗВРАТ",
    // built-in functions
    "CLASSLOAD", "КЛАССЗАГРУЗИТЬ", "CREATEOBJECT", "СОЗДАТЬОБЪЕКТ", "EMPTYVALUE", "ПУСТОЕЗНАЧЕНИЕ", "INT", "ЦЕЛ",
    "MAX", "МАКС", "MESSAGE", "СООБЩИТЬ", "MIN", "МИН", "NUMBER", "ЧИСЛО", "RAND", "СЛУЧАЙНОЕЧИСЛО", "RIGHT",
    "ПРАВ", "STRING", "СТРОКА", "STRLEN", "СТРДЛИНА", "TRIMALL", "СОКРЛП", "TRIML", "СОКРЛ", "TRIMR", "СОКРП",
    "TOSTRING", "ВСТРОКУ", "TYPEASSTRING", "ТИПЗНАЧЕНИЯСТР", "FORMAT", "ФОРМАТ", "M1ESSAGE", "С1ООБЩИТЬ", "PI",
    // classes and members
    "VALUETABLE", "ТАБЛИЦАЗНАЧЕНИЙ", "TEST", "ТЕСТ", "DATE", "ДАТА", "CHOOSELINE", "ВЫБРАТЬСТРОКУ", "COLUMNCOUNT",
    "КОЛИЧЕСТВОКОЛОНОК", "GETCOLUMNPARAMETERS", "ПОЛУЧИТЬПАРАМЕТРЫКОЛОНКИ", "GETVALUE", "ПОЛУЧИТЬЗНАЧЕНИЕ",
    "LINESCNT", "КОЛИЧЕСТВОСТРОК", "NEWCOLUMN", "НОВАЯКОЛОНКА", "NEWLINE", "НОВАЯСТРОКА", "SETVALUE",
    "УСТАНОВИТЬЗНАЧЕНИЕ", "SORT", "СОРТИРОВАТЬ", "SELF", "ATTRIBINT", "GETINT", "ПОЛУЧИТЬЦЕЛОЕ", "GETINTPLUS",
    "ПОЛУЧИТЬЦЕЛОЕПЛЮС", "GETINTPLUSONE", "ПОЛУЧИТЬЦЕЛОЕПЛЮС1",
    // predefined variables
    "PiString", "KavorName", "number0", "РазделительСтрок", "Наименование", "ценаЗ", "КоэфМакс",
    // operators and punctuation
    "<>", ">=", "<=", "//", "\\x0A", "\\x0D\\x0A", "\"\"", "''", "();", "= ", ";", "ё", "Ё",
    "CREATEOBJECT(\"VALUETABLE\")", "LOAD CLASS VALUETABLE", "LOAD CLASS TEST", "DISPLAY MEMORY", "DO main.prg",
};

bool readText(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// libFuzzer's dictionary form: one quoted entry a line, bytes outside printable ASCII,
// quotes and backslashes as \xNN.
std::string dictionaryEntry(const std::string& bytes) {
  std::string entry = "\"";
  for (char c : bytes) {
    const unsigned b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
      entry.push_back(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      entry += hex;
    }
  }
  return entry + "\"\n";
}

bool writeDictionary(const fs::path& path, transcript::CodePage page) {
  std::string dictionary;
  for (const char* word : words) {
    std::string bytes;
    std::string error;
    if (!transcript::encodeLine(word, page, bytes, error)) {
      std::fprintf(stderr, "fuzz_seeds: %s: %s\n", word, error.c_str());
      return false;
    }
    dictionary += dictionaryEntry(bytes);
  }
  writeBytes(path, dictionary);
  return true;
}

// One session of a transcript: its console input as console seeds, each program file as
// one program seed; names carry the transcript's stem and the session's number.
bool seedsOfSession(const transcript::Transcript& parsed, const std::string& stem, const fs::path& out) {
  std::string error;
  // Short sessions run fast and recombine well: the input is cut into pieces of a few
  // lines each.
  constexpr std::size_t linesPerSeed = 6;
  std::string session;
  for (std::size_t i = 0; i < parsed.input.size(); ++i) {
    std::string bytes;
    if (!transcript::encodeLine(parsed.input[i], transcript::CodePage::cp866, bytes, error)) return false;
    session += bytes + "\n";
    if ((i + 1) % linesPerSeed == 0 || i + 1 == parsed.input.size()) {
      writeBytes(out / "console" / (stem + "-" + std::to_string(i / linesPerSeed + 1)), session);
      session.clear();
    }
  }
  int number = 0;
  for (const transcript::FileSection& section : parsed.files) {
    std::string bytes;
    if (!transcript::fileSectionBytes(section, bytes, error)) return false;
    writeBytes(out / "program" / (stem + "-" + std::to_string(++number)), bytes);
  }
  return true;
}

// Every session of one transcript file.
bool seedsOf(const fs::path& file, const fs::path& out) {
  std::string text;
  std::string error;
  std::vector<transcript::Transcript> sessions;
  if (!readText(file, text) || !transcript::parseTranscriptSessions(text, sessions, error)) {
    std::fprintf(stderr, "fuzz_seeds: %s: %s\n", file.c_str(), error.c_str());
    return false;
  }
  for (std::size_t i = 0; i < sessions.size(); ++i) {
    const std::string stem = file.stem().string() + (i == 0 ? "" : "-s" + std::to_string(i + 1));
    if (!seedsOfSession(sessions[i], stem, out)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_seeds TRANSCRIPT_DIR OUT_DIR\n");
    return 2;
  }
  const fs::path out = argv[2];
  fs::create_directories(out / "console");
  fs::create_directories(out / "program");
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(argv[1]))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files)
    if (!seedsOf(file, out)) return 1;
  if (!writeDictionary(out / "console.dict", transcript::CodePage::cp866) ||
      !writeDictionary(out / "program.dict", transcript::CodePage::cp1251))
    return 1;
  std::printf("fuzz_seeds: %zu transcripts -> %s\n", files.size(), out.c_str());
  return 0;
}
