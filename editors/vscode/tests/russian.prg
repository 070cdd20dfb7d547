// SYNTAX TEST "source.localinterp" "Russian keywords and functions in any case"
Для н = 1 По 5 Цикл
// <--- keyword.control.localinterp
//        ^^ keyword.control.localinterp
//             ^^^^ keyword.control.localinterp
  Если СтрДлина(текст) > 0 Тогда
//^^^^ keyword.control.localinterp
//     ^^^^^^^^ support.function.builtin.localinterp
//              ^^^^^ - support.function.builtin.localinterp
//                         ^^^^^ keyword.control.localinterp
    Сообщить('Привет, мир');
//  ^^^^^^^^ support.function.builtin.localinterp
//           ^^^^^^^^^^^^^ string.quoted.single.localinterp
  ИначеЕсли н = 2 Тогда
//^^^^^^^^^ keyword.control.localinterp
  Иначе
//^^^^^ keyword.control.localinterp
    т = СОЗДАТЬОБЪЕКТ('ТаблицаЗначений');
//      ^^^^^^^^^^^^^ support.function.builtin.localinterp
  КонецЕсли;
//^^^^^^^^^ keyword.control.localinterp
КонецЦикла;
// <---------- keyword.control.localinterp
Пока ложь Цикл КонецЦикла;
// <---- keyword.control.localinterp
//        ^^^^ keyword.control.localinterp
//             ^^^^^^^^^^ keyword.control.localinterp
Процедура Показать()
// <--------- keyword.control.localinterp
  Возврат;
//^^^^^^^ keyword.control.localinterp
КонецПроцедуры;
// <-------------- keyword.control.localinterp
Функция Ф() КонецФункции;
// <------- keyword.control.localinterp
//          ^^^^^^^^^^^^ keyword.control.localinterp
поток = 1; Поиск = 2;
// <----- - keyword.control.localinterp
//         ^^^^^ - keyword.control.localinterp
