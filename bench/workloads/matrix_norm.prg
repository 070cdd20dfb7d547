// Matrix norm by power iteration (the classic A(i,j) = 1/((i+j)(i+j+1)/2+i+1) benchmark), N = 100: 1.274219991
ok = CLASSLOAD('VALUETABLE');
t = CREATEOBJECT('VALUETABLE');
k = t.NEWCOLUMN('u');
k = t.NEWCOLUMN('v');
k = t.NEWCOLUMN('w');
nn = 100;
FOR i = 1 TO nn DO
  k = t.NEWLINE();
  k = t.SETVALUE(i, 1, 1);
ENDDO;
// column dst = A * column src, with A(i, j) = 1 / ((i + j)(i + j + 1) / 2 + i + 1)
FUNCTION MulA()
  FOR i = 0 TO nn - 1 DO
    sum = 0;
    FOR j = 0 TO nn - 1 DO
      sum = sum + t.GETVALUE(j + 1, src) / ((i + j) * (i + j + 1) / 2 + i + 1);
    ENDDO;
    k = t.SETVALUE(i + 1, dst, sum);
  ENDDO;
ENDFUNCTION;
// column dst = transposed A * column src
FUNCTION MulAt()
  FOR i = 0 TO nn - 1 DO
    sum = 0;
    FOR j = 0 TO nn - 1 DO
      sum = sum + t.GETVALUE(j + 1, src) / ((i + j) * (i + j + 1) / 2 + j + 1);
    ENDDO;
    k = t.SETVALUE(i + 1, dst, sum);
  ENDDO;
ENDFUNCTION;
FOR it = 1 TO 10 DO
  src = 1; dst = 3; MulA();
  src = 3; dst = 2; MulAt();
  src = 2; dst = 3; MulA();
  src = 3; dst = 1; MulAt();
ENDDO;
vbv = 0;
vv = 0;
FOR i = 1 TO nn DO
  ui = t.GETVALUE(i, 1);
  vi = t.GETVALUE(i, 2);
  vbv = vbv + ui * vi;
  vv = vv + vi * vi;
ENDDO;
q = vbv / vv;
// square root by Newton's iteration
r = q;
FOR it = 1 TO 60 DO
  r = (r + q / r) / 2;
ENDDO;
? r;
