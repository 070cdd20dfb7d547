// value table of 3000 lines with pseudo-random keys (Park-Miller), sorted by the key's text
ok = CLASSLOAD('VALUETABLE');
t = CREATEOBJECT('VALUETABLE');
k = t.NEWCOLUMN('key');
k = t.NEWCOLUMN('idx');
x = 42;
FOR i = 1 TO 3000 DO
  x = x * 16807;
  x = x - INT(x / 2147483647) * 2147483647;
  k = t.NEWLINE();
  k = t.SETVALUE(i, 1, x - INT(x / 1000) * 1000);
  k = t.SETVALUE(i, 2, i);
ENDDO;
k = t.SORT('key');
? t.GETVALUE(1, 1);
? t.GETVALUE(1, 2);
? t.GETVALUE(3000, 1);
? t.GETVALUE(3000, 2);
