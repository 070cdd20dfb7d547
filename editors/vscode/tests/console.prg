// SYNTAX TEST "source.localinterp" "Console commands open a statement; the same words elsewhere are names"
DISPLAY MEMORY
// <------- keyword.other.command.localinterp
//      ^^^^^^ keyword.other.command.localinterp
load class valuetable
// <---- keyword.other.command.localinterp
//   ^^^^^ keyword.other.command.localinterp
//         ^^^^^^^^^^ support.class.localinterp
x = 1; DIR
//     ^^^ keyword.other.command.localinterp
MODIFY COMMAND prog.prg
// <------ keyword.other.command.localinterp
//     ^^^^^^^ keyword.other.command.localinterp
memory = help + class;
// <------ - keyword.other.command.localinterp
//       ^^^^ - keyword.other.command.localinterp
//              ^^^^^ - keyword.other.command.localinterp
DO prog.prg
// <-- keyword.control.localinterp
