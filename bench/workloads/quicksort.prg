// quicksort written in the language: 80,000 numbers below 100,000 from a Park-Miller
// sequence in a value table, sorted in place by Hoare partitions with an explicit stack
// of (lo, hi) ranges in a second table; then the order is checked and summed.
ok = CLASSLOAD('VALUETABLE');
a = CREATEOBJECT('VALUETABLE');
k = a.NEWCOLUMN('v');
stack = CREATEOBJECT('VALUETABLE');
k = stack.NEWCOLUMN('lo');
k = stack.NEWCOLUMN('hi');
n = 80000;
x = 7;
FOR i = 1 TO n DO
  x = x * 16807;
  x = x - (INT(x / 2147483647) * 2147483647);
  k = a.NEWLINE();
  k = a.SETVALUE(i, 1, x - (INT(x / 100000) * 100000));
ENDDO;
k = stack.NEWLINE();
k = stack.SETVALUE(1, 1, 1);
k = stack.SETVALUE(1, 2, n);
sp = 1;
WHILE sp > 0 DO
  lo = stack.GETVALUE(sp, 1);
  hi = stack.GETVALUE(sp, 2);
  sp = sp - 1;
  pivot = a.GETVALUE(INT((lo + hi) / 2), 1);
  i = lo;
  j = hi;
  WHILE i <= j DO
    WHILE a.GETVALUE(i, 1) < pivot DO i = i + 1; ENDDO;
    WHILE a.GETVALUE(j, 1) > pivot DO j = j - 1; ENDDO;
    IF i <= j THEN
      t = a.GETVALUE(i, 1);
      k = a.SETVALUE(i, 1, a.GETVALUE(j, 1));
      k = a.SETVALUE(j, 1, t);
      i = i + 1;
      j = j - 1;
    ENDIF;
  ENDDO;
  // push the ranges still unsorted, adding stack lines as the stack grows
  IF lo < j THEN
    sp = sp + 1;
    IF sp > stack.LINESCNT() THEN k = stack.NEWLINE(); ENDIF;
    k = stack.SETVALUE(sp, 1, lo);
    k = stack.SETVALUE(sp, 2, j);
  ENDIF;
  IF i < hi THEN
    sp = sp + 1;
    IF sp > stack.LINESCNT() THEN k = stack.NEWLINE(); ENDIF;
    k = stack.SETVALUE(sp, 1, i);
    k = stack.SETVALUE(sp, 2, hi);
  ENDIF;
ENDDO;
disorder = 0;
checksum = 0;
FOR i = 1 TO n DO
  v = a.GETVALUE(i, 1);
  IF i < n THEN
    IF v > a.GETVALUE(i + 1, 1) THEN disorder = disorder + 1; ENDIF;
  ENDIF;
  checksum = checksum + (i * v);
ENDDO;
? disorder;
? a.GETVALUE(1, 1);
? a.GETVALUE(n, 1);
? checksum;
