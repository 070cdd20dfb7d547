// WHILE with IF, 200,000 passes
i = 0;
low = 0;
high = 0;
WHILE i < 200000 DO
  IF i < 50000 THEN
    low = low + 1;
  ELSE
    high = high + 2;
  ENDIF;
  i = i + 1;
ENDDO;
? low;
? high;
