// 500,000 user-function calls
FUNCTION Inc() n = n + 1; ENDFUNCTION;
n = 0;
FOR i = 1 TO 500000 DO
  Inc();
ENDDO;
? n;
