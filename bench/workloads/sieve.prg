// sieve of Eratosthenes below 100,000 in a value table: 9592 primes
ok = CLASSLOAD('VALUETABLE');
t = CREATEOBJECT('VALUETABLE');
k = t.NEWCOLUMN('composite');
FOR i = 1 TO 99999 DO
  k = t.NEWLINE();
ENDDO;
count = 0;
FOR i = 2 TO 99999 DO
  IF t.GETVALUE(i, 1) = 0 THEN
    count = count + 1;
    IF i * i < 100000 THEN
      j = i * i;
      WHILE j < 100000 DO
        k = t.SETVALUE(j, 1, 1);
        j = j + i;
      ENDDO;
    ENDIF;
  ENDIF;
ENDDO;
? count;
