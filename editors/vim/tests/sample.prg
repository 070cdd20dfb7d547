// A sample comment
FOR i = 1 TO 10 DO
  если СтрДлина(текст) > 0 тогда
    Сообщить('Привет ENDIF');
  КонецЕсли;
EndDo;
string = ifx + STRING(1) + "two";
display memory
LOAD CLASS ТаблицаЗначений
memory = help;
s = 'two
lines'; // TODO more
