// A binary search tree kept in a value table of nodes (key, left, right; 0 for no
// child): 20,000 Park-Miller keys below 100,000 inserted (repeated keys once), then an
// in-order walk with an explicit stack of lines; printed: the nodes, the height, the
// keys walked, and the sum of each key times its rank.
ok = CLASSLOAD('VALUETABLE');
t = CREATEOBJECT('VALUETABLE');
k = t.NEWCOLUMN('key');
k = t.NEWCOLUMN('left');
k = t.NEWCOLUMN('right');
x = 5;
count = 0;
height = 0;
FOR i = 1 TO 20000 DO
  x = x * 16807;
  x = x - (INT(x / 2147483647) * 2147483647);
  key = x - (INT(x / 100000) * 100000);
  IF count = 0 THEN
    k = t.NEWLINE();
    k = t.SETVALUE(1, 'key', key);
    count = 1;
    height = 1;
  ELSE
    node = 1;
    depth = 1;
    WHILE node > 0 DO
      nodekey = t.GETVALUE(node, 'key');
      IF key = nodekey THEN
        node = 0;
      ELSE
        IF key < nodekey THEN side = 'left'; ELSE side = 'right'; ENDIF;
        child = t.GETVALUE(node, side);
        depth = depth + 1;
        IF child = 0 THEN
          k = t.NEWLINE();
          count = count + 1;
          k = t.SETVALUE(count, 'key', key);
          k = t.SETVALUE(node, side, count);
          node = 0;
        ELSE
          node = child;
        ENDIF;
      ENDIF;
    ENDDO;
    IF depth > height THEN height = depth; ENDIF;
  ENDIF;
ENDDO;
stack = CREATEOBJECT('VALUETABLE');
k = stack.NEWCOLUMN('node');
sp = 0;
node = 1;
rank = 0;
total = 0;
done = 0;
WHILE done = 0 DO
  IF node > 0 THEN
    sp = sp + 1;
    IF sp > stack.LINESCNT() THEN k = stack.NEWLINE(); ENDIF;
    k = stack.SETVALUE(sp, 1, node);
    node = t.GETVALUE(node, 'left');
  ELSEIF sp > 0 THEN
    node = stack.GETVALUE(sp, 1);
    sp = sp - 1;
    rank = rank + 1;
    total = total + rank * t.GETVALUE(node, 'key');
    node = t.GETVALUE(node, 'right');
  ELSE
    done = 1;
  ENDIF;
ENDDO;
? count;
? height;
? rank;
? total;
