#include <iostream>

#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

// The HELP screen: a fixed reference of the console commands and of the most
// important functions of the global context. It is written as one piece so that the
// output buffer re-encodes it in one pass.
void localInterpretatorUTF8::help() {
  const std::wstring separator = L"****************************\n";
  std::wstring text;
  text += L"******** КОМАНДЫ ********************\n";
  text += L"\n";
  text += separator;
  text += L"? <выражение>\n";
  text += L"  выводит зеначение выражения.\n";
  text += L"Пример:\n";
  text += L"  ? 2+2 \n";
  text += L"\n";
  text += separator;
  text += L"CLEAR MEMORY [<шаблон>]\n";
  text += L"  удаляет временные переменные.\n";
  text += L"Пример:\n";
  text += L"  CLEA MEMO NU*\n";
  text += L"Удалит все переменные, начинающиеся на \"NU\".\n";
  text += L"\n";
  text += separator;
  text += L"DEBUG <имя файла>\n";
  text += L"  Начинает отладку программы.\n";
  text += L"\n";
  text += separator;
  text += L"DIR \n";
  text += L"  Показываетсписок файлов текущего каталога.\n";
  text += L"\n";
  text += separator;
  text += L"DISPLAY CLASS \n";
  text += L"  выводит список доступных классов.\n";
  text += L"\n";
  text += separator;
  text += L"DISPLAY CONTEXT \n";
  text += L"  выводит информациюо сотоянии текущего контекста.\n";
  text += L"\n";
  text += separator;
  text += L"DISPLAY FUNCTION \n";
  text += L"  выводит список доступных функций текущего контекста.\n";
  text += L"\n";
  text += separator;
  text += L"DISPLAY MEMORY [<шаблон>]\n";
  text += L"  выдает  имена,  тип,  содержимое  и статус всех активных временных переменных.\n";
  text += L"Пример:\n";
  text += L"  DISP MEMO NU*\n";
  text += L"Выведет список переменных, начинающихся на \"NU\".\n";
  text += L"\n";
  text += separator;
  text += L"DO <имя файла>\n";
  text += L"  Начинает исполнение программы.\n";
  text += L"\n";
  text += separator;
  text += L"EDIT COMMAND <имя файла>\n";
  text += L"  Открывает для редактирования файл во встроенном текстовом редакторе.\n";
  text += L"\n";
  text += separator;
  text += L"MOFIFY COMMAND <имя файла>\n";
  text += L"  Открывает для редактирования файл во внешнем текстовом редакторе.\n";
  text += L"\n";
  text += separator;
  text += L"RUN [<команда> | <строка>] \n";
  text += L" Выполняет внешнюю команду (команду операционной системы) или её командную строку.\n";
  text += L"Параметры: \n";
  text += L"<команда> - Необязательный параметр. Команда без аргументов\n";
  text += L"<строка> - Необязательный параметр. Выражение строкового типа, начинающееся со строковой константы (с кавычки). Выражение содержит командуоперационной состемы.\n";
  text += L"Пример:\n";
  text += L"RUN notepad\n";
  text += L"RUN \"notepad main.prg\"\n";
  text += L"RUN dir\n";
  text += L"RUN \"dir /OG\"\n";
  text += L"\n";
  text += L"******** ВАЖНЫЕ ФУНКЦИИ ГЛОБАЛЬНОГО КОНТЕКСТА ********************\n";
  text += L"\n";
  text += L"ВНИМАНИЕ!!! \n";
  text += L"Во время компиляуции или выполнения все имена функций приводятся интерпретатором к верхнему регистру. \n";
  text += L"\n";
  text += L"функция ClassLoad \n";
  text += L"Синтаксис: ClassLoad(<имя класса>)\n";
  text += L"Параметры: \n";
  text += L"<имя класса> - Строка. Имя класса, который надо загрузить в контекст.\n";
  text += L"Возвращаемое значение:\n";
  text += L"Логичесое значение. Если загрузить класс не удалось, то будет сгенерирована ошибка времени выполнения. \n";
  text += L"Смотри так же:\n";
  text += L"CreateObject()\n";
  text += L"\n";
  text += L"функция CreateObject или СОЗДАТЬОБЪЕКТ\n";
  text += L"Синтаксис: СоздатьОбъект(<имя класса>)\n";
  text += L"Параметры: \n";
  text += L"<имя класса> - Строка. Имя загруженного в контекст класса\n";
  text += L"Возвращаемое значение:\n";
  text += L"Объект или число 0, если создание объекта не удалось\n";
  text += L"Смотри так же:\n";
  text += L"ClassLoad()\n";
  text += L"\n";
  text += L"функция MESSAGE или СООБЩИТЬ\n";
  text += L"функция STRING или СТРОКА\n";
  text += L"функция TYPE или ТИП\n";
  std::cout << localString::wstringToStdStringMultibyte(text);
  std::cout << "\n";
}
