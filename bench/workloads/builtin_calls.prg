// built-in calls, 100,000 passes
t = 0;
FOR i = 1 TO 100000 DO
  t = t + STRLEN(STRING(i)) + INT(i / 7) + MAX(i, 50000);
ENDDO;
? t;
