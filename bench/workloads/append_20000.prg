// 20000 string appends s = s + 'x'
s = '';
FOR i = 1 TO 20000 DO
  s = s + 'x';
ENDDO;
? STRLEN(s);
