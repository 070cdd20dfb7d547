// character scan of a text of 14,726 characters (2,501 words from a Park-Miller sequence,
// one or two blanks between them). The language has no LEFT or SUBSTR, so the scan walks
// shrinking suffixes RIGHT(s, n): u begins with a blank when TRIMALL takes something off
// it (the text ends in a letter), and with 'a' when it equals 'a' + the next suffix.
x = 42;
s = 'start';
FOR i = 1 TO 2500 DO
  x = x * 16807;
  x = x - (INT(x / 2147483647) * 2147483647);
  w = x - (INT(x / 8) * 8);
  IF w = 0 THEN word = 'alpha';
  ELSEIF w = 1 THEN word = 'beta';
  ELSEIF w = 2 THEN word = 'gamma';
  ELSEIF w = 3 THEN word = 'delta';
  ELSEIF w = 4 THEN word = 'kappa';
  ELSEIF w = 5 THEN word = 'omega';
  ELSEIF w = 6 THEN word = 'sigma';
  ELSE word = 'iota';
  ENDIF;
  IF (x - (INT(x / 7) * 7)) = 0 THEN
    s = s + '  ' + word;
  ELSE
    s = s + ' ' + word;
  ENDIF;
ENDDO;
length = STRLEN(s);
blanks = 0;
counta = 0;
words = 0;
inword = 0;
u = s;
n = length;
WHILE n > 0 DO
  v = RIGHT(s, n - 1);
  IF STRLEN(TRIMALL(u)) < n THEN
    blanks = blanks + 1;
    inword = 0;
  ELSE
    IF inword = 0 THEN
      words = words + 1;
      inword = 1;
    ENDIF;
    IF u = 'a' + v THEN
      counta = counta + 1;
    ENDIF;
  ENDIF;
  u = v;
  n = n - 1;
ENDDO;
? length;
? words;
? blanks;
? counta;
