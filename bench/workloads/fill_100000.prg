// value table of 100000 lines with pseudo-random keys (Park-Miller), filled only (subtract from sort_100000)
ok = CLASSLOAD('VALUETABLE');
t = CREATEOBJECT('VALUETABLE');
k = t.NEWCOLUMN('key');
k = t.NEWCOLUMN('idx');
x = 42;
FOR i = 1 TO 100000 DO
  x = x * 16807;
  x = x - INT(x / 2147483647) * 2147483647;
  k = t.NEWLINE();
  k = t.SETVALUE(i, 1, x - INT(x / 100000) * 100000);
  k = t.SETVALUE(i, 2, i);
ENDDO;

? t.GETVALUE(1, 1);
? t.GETVALUE(1, 2);
? t.GETVALUE(100000, 1);
? t.GETVALUE(100000, 2);
