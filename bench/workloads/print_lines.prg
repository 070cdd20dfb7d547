// 50,000 printed lines
FOR i = 1 TO 50000 DO
  ? i;
ENDDO;
