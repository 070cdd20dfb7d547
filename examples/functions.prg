// User functions and procedures. A body runs in the context of its caller: it reads
// and changes the caller's variables, and results travel back through them. The
// values of a call's arguments are not handed to the parameters, so the caller sets
// the variables a body works on before the call.
FUNCTION Factorial()
  result = 1;
  FOR k = 2 TO n DO
    result = result * k;
  ENDDO;
ENDFUNCTION;

PROCEDURE ShowFactorial()
  Factorial();
  ? STRING(n) + '! = ' + STRING(result);
ENDPROCEDURE;

FUNCTION Fibonacci()
  a = 0;
  b = 1;
  sequence = '0';
  i = 1;
  WHILE i < count DO
    next = a + b;
    a = b;
    b = next;
    sequence = sequence + ', ' + STRING(a);
    i = i + 1;
  ENDDO;
ENDFUNCTION;

result = 0;
k = 0;
n = 5;
ShowFactorial();
n = 10;
ShowFactorial();

a = 0; b = 0; i = 0; next = 0; sequence = '';
count = 10;
Fibonacci();
? 'Fibonacci: ' + sequence;
? 'Biggest of 3, 17, 8: ' + STRING(MAX(3, 17, 8));
