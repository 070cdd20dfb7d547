// A tokenizer reading a text of 1,200 tokens (numbers of one to three digits, names of
// one to three letters a to e, the operators + - * /, brackets) made from a Park-Miller
// sequence, with a blank after about a third of them, character by character: the
// language has no LEFT or SUBSTR, so it walks shrinking suffixes v = RIGHT(s, n - 1) and
// finds the first character c of u = c + v by comparing u with candidates + v. Adjacent
// numbers (or names) read as one. Printed: the length, the numbers, the names, the
// operators, the deepest bracket nesting and the sum of the numbers.
x = 3;
s = '';
FOR i = 1 TO 1200 DO
  x = x * 16807;
  x = x - (INT(x / 2147483647) * 2147483647);
  w = x - (INT(x / 8) * 8);
  r = INT(x / 8);
  IF w < 3 THEN
    s = s + STRING(r - (INT(r / 10) * 10));
    IF w > 0 THEN s = s + STRING(INT(r / 10) - (INT(r / 100) * 10)); ENDIF;
    IF w > 1 THEN s = s + STRING(INT(r / 100) - (INT(r / 1000) * 10)); ENDIF;
  ELSEIF w < 5 THEN
    FOR m = 0 TO w - 3 DO
      c = r - (INT(r / 5) * 5);
      r = INT(r / 5);
      IF c = 0 THEN s = s + 'a'; ELSEIF c = 1 THEN s = s + 'b'; ELSEIF c = 2 THEN s = s + 'c';
      ELSEIF c = 3 THEN s = s + 'd'; ELSE s = s + 'e'; ENDIF;
    ENDDO;
  ELSEIF w = 5 THEN
    c = r - (INT(r / 4) * 4);
    IF c = 0 THEN s = s + '+'; ELSEIF c = 1 THEN s = s + '-'; ELSEIF c = 2 THEN s = s + '*'; ELSE s = s + '/'; ENDIF;
  ELSEIF w = 6 THEN
    s = s + '(';
  ELSE
    s = s + ')';
  ENDIF;
  IF (INT(x / 7) - (INT(x / 21) * 3)) = 0 THEN s = s + ' '; ENDIF;
ENDDO;
length = STRLEN(s);
numbers = 0;
names = 0;
operators = 0;
depth = 0;
deepest = 0;
total = 0;
value = 0;
inside = 0;
u = s;
n = length;
WHILE n > 0 DO
  v = RIGHT(s, n - 1);
  IF u < '0' + v THEN
    IF inside = 1 THEN total = total + value; ENDIF;
    inside = 0;
    IF u < '(' + v THEN
      inside = 0;
    ELSEIF u = '(' + v THEN
      depth = depth + 1;
      IF depth > deepest THEN deepest = depth; ENDIF;
    ELSEIF u = ')' + v THEN
      depth = depth - 1;
    ELSE
      operators = operators + 1;
    ENDIF;
  ELSEIF u < 'a' + v THEN
    IF inside <> 1 THEN
      numbers = numbers + 1;
      value = 0;
      inside = 1;
    ENDIF;
    IF u < '5' + v THEN
      IF u < '2' + v THEN
        IF u < '1' + v THEN d = 0; ELSE d = 1; ENDIF;
      ELSEIF u < '3' + v THEN d = 2; ELSEIF u < '4' + v THEN d = 3; ELSE d = 4; ENDIF;
    ELSE
      IF u < '7' + v THEN
        IF u < '6' + v THEN d = 5; ELSE d = 6; ENDIF;
      ELSEIF u < '8' + v THEN d = 7; ELSEIF u < '9' + v THEN d = 8; ELSE d = 9; ENDIF;
    ENDIF;
    value = value * 10 + d;
  ELSE
    IF inside = 1 THEN total = total + value; ENDIF;
    IF inside <> 2 THEN
      names = names + 1;
      inside = 2;
    ENDIF;
  ENDIF;
  u = v;
  n = n - 1;
ENDDO;
IF inside = 1 THEN total = total + value; ENDIF;
? length;
? numbers;
? names;
? operators;
? deepest;
? total;
