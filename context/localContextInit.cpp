// Start-up of a context: the built-in functions, the date-time class and the
// predefined variables.
#include <ctime>

#include "classes/localClassDateTime.h"
#include "context/localBuiltinLibrary.h"
#include "context/localContextUTF8.h"
#include "context/localRandom.h"

namespace {

struct predefinedVariable {
  const wchar_t* name;
  const wchar_t* text;  // null for a number
  double number;
};

const predefinedVariable predefinedVariables[] = {
    {L"PiString", L"3.14", 0},
    {L"Pi", nullptr, 3.14},
    {L"number0", nullptr, 0},
    {L"number11", nullptr, 11},
    {L"number1", nullptr, 1},
    {L"number2", nullptr, 2},
    {L"number12", nullptr, 12},
    {L"number3", nullptr, 3},
    {L"number4", nullptr, 4},
    {L"number5", nullptr, 5},
    {L"number6", nullptr, 6},
    {L"number7", nullptr, 7},
    {L"KavorName", L"Кавор", 0},
    {L"РазделительСтрок", L"<CR>", 0},
    {L"Наименование", L"т12овар Свекокопи", 0},
    {L"Арт", L"этот арт", 0},
    {L"ЕдИзм", L"штука", 0},
    {L"Упак", L"12\\144", 0},
    {L"глЦенаКОптКоефМин", nullptr, 1.25},
    {L"ценаЗдата", nullptr, 191109},
    {L"ценаКдата", nullptr, 191101},
    {L"ценаОдата", nullptr, 191202},
    {L"ценаМдата", nullptr, 191113},
    {L"ценаРдата", nullptr, 191114},
    {L"ценаЗ", nullptr, 20},
    {L"ценаК", nullptr, 31},
    {L"ценаО", nullptr, 32},
    {L"ценаМ", nullptr, 33},
    {L"ценаР", nullptr, 34},
    {L"ЦенаЗПоставщик", nullptr, 789},
    {L"КоэфМакс", nullptr, 2.25},
    {L"КоэфМин", nullptr, 1.05},
    {L"Примечание", L"этоо примечание", 0},
    {L"НеобходимостьЦенникаОписание", L"это значение о примечание", 0},
    {L"ОписаниеЦенника", L"ОписаниеЦенника", 0},
};

}  // namespace

bool localContextUTF8::init(localReturnStateType& state) {
  localRandomSeed(static_cast<std::uint32_t>(std::time(nullptr)));
  state = localErrorTypeOK;
  cleaMemo();
  classes.clear();
  recordsChanged();

  const std::unique_ptr<localClassDeclaration> library = getClassDeclaration();
  for (const localClassDeclaration::classMember* member : library->members) {
    if (member->execFunction == nullptr) continue;
    functionDescription function;
    function.name = member->name;
    function.methodFunction = member->execFunction;
    function.builtin = localBuiltin::findEntry(function.name);
    functions.push_back(function);
    functionIndex.add(functions.back().name, functions.size() - 1);
  }
  recordsChanged();

  classReg(localClassDateTime::getClassDeclaration());

  for (const predefinedVariable& variable : predefinedVariables) {
    if (variable.text != nullptr) {
      varSetValueWStr(variable.name, variable.text);
    } else {
      varSetValueNum(variable.name, variable.number);
    }
  }
  return true;
}

std::unique_ptr<localClassDeclaration> localContextUTF8::getClassDeclaration() {
  auto declaration = std::make_unique<localClassDeclaration>();
  declaration->className = L"";
  declaration->classSynonym = L"";
  declaration->description = L"это контекст";
  for (std::size_t i = 0; i < localBuiltin::entryCount(); ++i) {
    const localBuiltin::entry& function = localBuiltin::entries()[i];
    declaration->addMember(function.english, &localContextUTF8::classImplementationMethodFunction, nullptr, nullptr);
    declaration->addMember(function.russian, &localContextUTF8::classImplementationMethodFunction, nullptr, nullptr);
  }
  return declaration;
}
