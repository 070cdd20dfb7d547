// Loops and branches with English keywords: a multiplication table and a countdown.
// Run it: localinterp --encoding=utf8 loops.prg
FOR row = 1 TO 5 DO
  line = '';
  FOR column = 1 TO 5 DO
    cell = STRING(row * column);
    IF STRLEN(cell) < 2 THEN
      cell = ' ' + cell;
    ENDIF;
    line = line + ' ' + cell;
  ENDDO;
  ? line;
ENDDO;

n = 3;
WHILE n > 0 DO
  ? 'T minus ' + STRING(n);
  n = n - 1;
ENDDO;
? 'Liftoff!';
