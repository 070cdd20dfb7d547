// recursive fib(25): functions share the console's variables and return nothing, so
// the argument lives in n (restored after the two calls) and the leaves add up in r.
FUNCTION Fib()
  IF n < 2 THEN
    r = r + n;
  ELSE
    n = n - 1;
    Fib();
    n = n - 1;
    Fib();
    n = n + 2;
  ENDIF;
ENDFUNCTION;
n = 25;
r = 0;
Fib();
? r;
