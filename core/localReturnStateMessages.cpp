#include <cstdint>

#include "core/localReturnStateType.h"
#include "text/localString.h"

// Russian messages of the return states, as the console and the program runner print them.
// The texts are the system's established output and are kept character for character.

namespace localString {

std::wstring returnStateAsString(const localReturnStateType& state) {
  switch (state) {
    case localErrorTypeINDEXoutOfBounds:
      return L"Выход за границы массива.";
    case localErrorTypeATTRIBUTEnotReadable:
      return L"Атрибут не может быть прочитан. Возможно в декларации класса для него не установлена функция GET.";
    case localErrorTypeATTRIBUTEnotWritable:
      return L"Атрибут не может быть установлен. Возможно в декларации класса для него не установлена функция SET.";
    case localErrorTypeATTRIBUTEunknown:
      return L"Неверный атрибут.";
    case localErrorTypeCONSTRUCTORmissing:
      return L"Не задан конструктор для каласса.";
    case localErrorTypeSTATICmethodMissing:
      return L"Не задан статический метод для каласса.";
    case localErrorTypeCLASSunknown:
      return L"Неизвестный класс.";
    case localErrorTypeCODE:
      return L"Ошибка кода. Проверьте консольный вывод. Обратитесь к разработчику.";
    case localErrorTypeCOMMANDunknown:
      return L"Неизвестная команда.";
    case localErrorTypeDIVISIONbyZero:
      return L"Деление на 0!";
    case localErrorTypeCONTEXTmissing:
      return L"Контекст не задан.";
    case localErrorTypeFILEnotFound:
      return L"Файл не найден.";
    case localErrorTypeFUNCTIONunknown:
      return L"Неизвестная функция.";
    case localErrorTypeMETHODunknown:
      return L"Метод не существует. Возможно в декларации класса для него не установлена функция EXEC.";
    case localErrorTypeOBJECTcreation:
      return L"Ошибка при создании объекта.";
    case localErrorTypeOBJECTclassUnknown:
      return L"Объект неизвестногокласса!";
    case localErrorTypePARAMETERScount:
      return L"Неверное количество параметров!";
    case localErrorTypePARAMETERStype:
      return L"Неверный тип параметра (-ов)!";
    case localErrorTypeSYNTAX:
      return L"Синтаксическая ошибка.";
    case localErrorTypeSYNTAXexpectedEqual:
      return L"Синтаксическая ошибка. Ожидается \"=\"";
    case localErrorTypeSYNTAXexpectedOpenBracket:
      return L"Синтаксическая ошибка. Ожидается \"(\"";
    case localErrorTypeSYNTAXexpectedCloseBracket:
      return L"Синтаксическая ошибка. Ожидается \")\"";
    case localErrorTypeSYNTAXexpectedSemicolon:
      return L"Синтаксическая ошибка. Ожидается \";\"";
    case localErrorTypeSYNTAXexpectedDO:
      return L"Синтаксическая ошибка. Ожидается ключевое слово \"ЦИКЛ\" (\"do\") ";
    case localErrorTypeSYNTAXexpectedENDDO:
      return L"Синтаксическая ошибка. Ожидается ключевое слово \"КОНЕЦЦИКЛА\" (\"enddo\") ";
    case localErrorTypeSYNTAXexpectedENDIF:
      return L"Синтаксическая ошибка. Ожидается ключевое слово \"КОНЕЦЕСЛИ\" (\"endif\") ";
    case localErrorTypeSYNTAXexpectedENDFUNCTION:
      return L"Синтаксическая ошибка. Ожидается ключевое слово \"КОНЕЦФУНКЦИИ\" (\"endfunction\") ";
    case localErrorTypeSYNTAXexpectedTHEN:
      return L"Синтаксическая ошибка. Ожидается ключевое слово \"ТОГДА\" (\"then\") ";
    case localErrorTypeSYNTAXexpectedTO:
      return L"Синтаксическая ошибка. Ожидается ключевое слово \"ПО\" (\"to\") ";
    case localErrorTypeTYPEunknown:
      return L"Неизвестный тип!";
    case localErrorTypeOPERANDtype:
      return L"Неверный тип операнда (-ов)!";
    case localErrorTypeVALUEnotObject:
      return L"Значение не являетсяо бъектом.";
    case localErrorTypeVARIABLEunknown:
      return L"Переменная не существует.";
    case localErrorTypeOK:
      return L"Ок. Ошибки отсутствуют";
    default:
      // Signals (0..5), the codes without a text and anything out of range.
      return L"Неизвестный статус возврата ном: " +
             doubleToStdWString(static_cast<double>(static_cast<std::uint32_t>(state)));
  }
}

}  // namespace localString
