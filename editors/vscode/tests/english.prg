// SYNTAX TEST "source.localinterp" "English keywords, functions, strings, numbers and comments"
FOR i = 1 TO 10 DO
// <--- keyword.control.localinterp
//  ^ - keyword.control.localinterp
//    ^ keyword.operator.localinterp
//      ^ constant.numeric.localinterp
//        ^^ keyword.control.localinterp
//           ^^ constant.numeric.localinterp
//              ^^ keyword.control.localinterp
  IF STRLEN(name) > 2.5 THEN
//^^ keyword.control.localinterp
//   ^^^^^^ support.function.builtin.localinterp
//           ^^^^ - support.function.builtin.localinterp
//                  ^^^ constant.numeric.localinterp
//                      ^^^^ keyword.control.localinterp
    ? 'a // inside a string';
//  ^ keyword.control.print.localinterp
//    ^^^^ string.quoted.single.localinterp
//        ^^^^^^^^^^^^^^^^^^ string.quoted.single.localinterp
//                          ^ - string.quoted.single.localinterp
  ELSEIF x <> 0 THEN
//^^^^^^ keyword.control.localinterp
//         ^^ keyword.operator.localinterp
    MESSAGE("two" + 'quotes');   // a comment with IF inside
//  ^^^^^^^ support.function.builtin.localinterp
//          ^^^^^ string.quoted.double.localinterp
//                  ^^^^^^^^ string.quoted.single.localinterp
//                               ^^^^^^^^^^^^^^^^^^^^^^^^^^^ comment.line.double-slash.localinterp
  ELSE
//^^^^ keyword.control.localinterp
    string = 'a variable named like a function';
//  ^^^^^^ - support.function.builtin.localinterp
  ENDIF;
//^^^^^ keyword.control.localinterp
ENDDO;
// <----- keyword.control.localinterp
ifx = endiff + 1;
// <--- - keyword.control.localinterp
//    ^^^^^^ - keyword.control.localinterp
PROCEDURE Show()
// <--------- keyword.control.localinterp
//        ^^^^ - support.function.builtin.localinterp
  RETURN;
//^^^^^^ keyword.control.localinterp
ENDPROCEDURE;
// <------------ keyword.control.localinterp
x = pi() + Max(1, 2) + format(1, 'x');
//  ^^ support.function.builtin.localinterp
//         ^^^ support.function.builtin.localinterp
//                     ^^^^^^ support.function.builtin.localinterp
s = 'a string
// <- - string.quoted.single.localinterp
//  ^^^^^^^^^ string.quoted.single.localinterp
over two lines';
// <-------------- string.quoted.single.localinterp
//             ^ - string.quoted.single.localinterp
