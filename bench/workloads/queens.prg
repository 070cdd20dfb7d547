// n-queens, n = 10: 724 solutions. Functions share the console's variables and take no
// arguments, so the recursion keeps its own stack: the depth d is the row being placed,
// and line d of the table holds that row's queen column and the next column to try.
ok = CLASSLOAD('VALUETABLE');
board = CREATEOBJECT('VALUETABLE');
k = board.NEWCOLUMN('col');
k = board.NEWCOLUMN('next');
n = 10;
FOR i = 1 TO n DO
  k = board.NEWLINE();
ENDDO;
FUNCTION Place()
  IF d > n THEN
    solutions = solutions + 1;
  ELSE
    k = board.SETVALUE(d, 'next', 1);
    WHILE board.GETVALUE(d, 'next') <= n DO
      c = board.GETVALUE(d, 'next');
      // a queen of an earlier row on the same column or diagonal?
      free = 1;
      r = 1;
      WHILE r < d DO
        diff = c - board.GETVALUE(r, 'col');
        IF diff = 0 THEN free = 0; ENDIF;
        IF diff = (d - r) THEN free = 0; ENDIF;
        IF diff = (r - d) THEN free = 0; ENDIF;
        IF free = 0 THEN r = d; ELSE r = r + 1; ENDIF;
      ENDDO;
      IF free = 1 THEN
        k = board.SETVALUE(d, 'col', c);
        d = d + 1;
        Place();
        d = d - 1;
      ENDIF;
      k = board.SETVALUE(d, 'next', board.GETVALUE(d, 'next') + 1);
    ENDDO;
  ENDIF;
ENDFUNCTION;
solutions = 0;
d = 1;
Place();
? solutions;
