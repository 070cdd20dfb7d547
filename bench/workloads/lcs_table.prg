// Longest common subsequence of two sequences of 400 numbers from 0 to 3 (a Park-Miller
// sequence), by the dynamic program over a value table of 401 lines and 401 columns:
// line i + 1, column j + 1 holds the length for the first i and the first j numbers.
ok = CLASSLOAD('VALUETABLE');
a = CREATEOBJECT('VALUETABLE');
k = a.NEWCOLUMN('v');
b = CREATEOBJECT('VALUETABLE');
k = b.NEWCOLUMN('v');
n = 400;
x = 7;
FOR i = 1 TO n DO
  x = x * 16807;
  x = x - (INT(x / 2147483647) * 2147483647);
  k = a.NEWLINE();
  k = a.SETVALUE(i, 1, x - (INT(x / 4) * 4));
  x = x * 16807;
  x = x - (INT(x / 2147483647) * 2147483647);
  k = b.NEWLINE();
  k = b.SETVALUE(i, 1, x - (INT(x / 4) * 4));
ENDDO;
t = CREATEOBJECT('VALUETABLE');
FOR j = 0 TO n DO
  k = t.NEWCOLUMN('c' + STRING(j));
ENDDO;
FOR i = 0 TO n DO
  k = t.NEWLINE();
ENDDO;
FOR i = 1 TO n DO
  ai = a.GETVALUE(i, 1);
  FOR j = 1 TO n DO
    IF ai = b.GETVALUE(j, 1) THEN
      k = t.SETVALUE(i + 1, j + 1, t.GETVALUE(i, j) + 1);
    ELSE
      up = t.GETVALUE(i, j + 1);
      left = t.GETVALUE(i + 1, j);
      IF up > left THEN
        k = t.SETVALUE(i + 1, j + 1, up);
      ELSE
        k = t.SETVALUE(i + 1, j + 1, left);
      ENDIF;
    ENDIF;
  ENDDO;
ENDDO;
? t.GETVALUE(n + 1, n + 1);
total = 0;
FOR i = 1 TO n + 1 DO
  FOR j = 1 TO n + 1 DO
    total = total + t.GETVALUE(i, j);
  ENDDO;
ENDDO;
? total;
