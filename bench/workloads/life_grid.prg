// Conway's game of life on a 48 x 48 grid that wraps round at its edges, 40 generations
// from a Park-Miller start (a third of the cells alive), in two value tables that change
// roles each generation; then the population and a checksum of the live cells' places.
ok = CLASSLOAD('VALUETABLE');
n = 48;
g = CREATEOBJECT('VALUETABLE');
h = CREATEOBJECT('VALUETABLE');
FOR j = 1 TO n DO
  k = g.NEWCOLUMN('c' + STRING(j));
  k = h.NEWCOLUMN('c' + STRING(j));
ENDDO;
x = 11;
FOR i = 1 TO n DO
  k = g.NEWLINE();
  k = h.NEWLINE();
  FOR j = 1 TO n DO
    x = x * 16807;
    x = x - (INT(x / 2147483647) * 2147483647);
    IF x - (INT(x / 3) * 3) = 0 THEN
      k = g.SETVALUE(i, j, 1);
    ENDIF;
  ENDDO;
ENDDO;
FOR generation = 1 TO 40 DO
  FOR i = 1 TO n DO
    up = i - 1;
    IF up = 0 THEN up = n; ENDIF;
    down = i + 1;
    IF down > n THEN down = 1; ENDIF;
    FOR j = 1 TO n DO
      l = j - 1;
      IF l = 0 THEN l = n; ENDIF;
      r = j + 1;
      IF r > n THEN r = 1; ENDIF;
      s = g.GETVALUE(up, l) + g.GETVALUE(up, j) + g.GETVALUE(up, r) + g.GETVALUE(i, l) + g.GETVALUE(i, r);
      s = s + g.GETVALUE(down, l) + g.GETVALUE(down, j) + g.GETVALUE(down, r);
      IF s = 3 THEN
        k = h.SETVALUE(i, j, 1);
      ELSEIF s = 2 THEN
        k = h.SETVALUE(i, j, g.GETVALUE(i, j));
      ELSE
        k = h.SETVALUE(i, j, 0);
      ENDIF;
    ENDDO;
  ENDDO;
  t = g;
  g = h;
  h = t;
ENDDO;
population = 0;
checksum = 0;
FOR i = 1 TO n DO
  FOR j = 1 TO n DO
    c = g.GETVALUE(i, j);
    population = population + c;
    checksum = checksum + c * (i * 100 + j);
  ENDDO;
ENDDO;
? population;
? checksum;
