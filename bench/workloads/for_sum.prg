// FOR loop summing 1..1,000,000
s = 0;
FOR i = 1 TO 1000000 DO
  s = s + i;
ENDDO;
? s;
