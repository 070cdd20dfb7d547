" :make checks the current program with `localinterp --check FILE`, which compiles it
" without running it and prints each fault as FILE:LINE:COLUMN: MESSAGE.
if exists('current_compiler')
  finish
endif
let current_compiler = 'localinterp'

CompilerSet makeprg=localinterp\ --check\ %:S
CompilerSet errorformat=%f:%l:%c:\ %m
