// fannkuch-redux, n = 7: checksum 228, at most 16 flips. Lines 1..n of the table hold
// the indices 0..n-1 of the three arrays perm1, perm and count.
ok = CLASSLOAD('VALUETABLE');
t = CREATEOBJECT('VALUETABLE');
k = t.NEWCOLUMN('perm1');
k = t.NEWCOLUMN('perm');
k = t.NEWCOLUMN('count');
n = 7;
FOR i = 1 TO n DO
  k = t.NEWLINE();
  k = t.SETVALUE(i, 1, i - 1);
ENDDO;
maxflips = 0;
checksum = 0;
sign = 1;
r = n;
done = 0;
WHILE done = 0 DO
  WHILE r <> 1 DO
    k = t.SETVALUE(r, 3, r);
    r = r - 1;
  ENDDO;
  FOR i = 1 TO n DO
    k = t.SETVALUE(i, 2, t.GETVALUE(i, 1));
  ENDDO;
  flips = 0;
  first = t.GETVALUE(1, 2);
  WHILE first <> 0 DO
    lo = 1;
    hi = first + 1;
    WHILE lo < hi DO
      a = t.GETVALUE(lo, 2);
      k = t.SETVALUE(lo, 2, t.GETVALUE(hi, 2));
      k = t.SETVALUE(hi, 2, a);
      lo = lo + 1;
      hi = hi - 1;
    ENDDO;
    flips = flips + 1;
    first = t.GETVALUE(1, 2);
  ENDDO;
  IF flips > maxflips THEN maxflips = flips; ENDIF;
  checksum = checksum + sign * flips;
  sign = 0 - sign;
  more = 1;
  WHILE more = 1 DO
    IF r = n THEN
      more = 0;
      done = 1;
    ELSE
      perm0 = t.GETVALUE(1, 1);
      FOR i = 1 TO r DO
        k = t.SETVALUE(i, 1, t.GETVALUE(i + 1, 1));
      ENDDO;
      k = t.SETVALUE(r + 1, 1, perm0);
      c = t.GETVALUE(r + 1, 3) - 1;
      k = t.SETVALUE(r + 1, 3, c);
      IF c > 0 THEN more = 0; ELSE r = r + 1; ENDIF;
    ENDIF;
  ENDDO;
ENDDO;
? checksum;
? maxflips;
