" :make on a faulty program runs `localinterp --check` (found on PATH) and fills the
" quickfix list with the fault's file, line and column. Run by editors/run_tests.sh
" when a built localinterp is at hand; writes PASS or FAIL lines to $VIM_TEST_REPORT.
let s:here = expand('<sfile>:p:h')
execute 'set runtimepath^=' . fnameescape(fnamemodify(s:here, ':h'))
filetype plugin on
let s:program = tempname() . '.prg'
call writefile(['x = 1', 'y = 2;'], s:program)
execute 'edit ' . fnameescape(s:program)
silent make
let s:found = filter(getqflist(), 'v:val.valid')
let s:failures = []
if len(s:found) != 1
  call add(s:failures, 'quickfix entries: ' . string(getqflist()))
elseif s:found[0].lnum != 1 || s:found[0].col != 6 || s:found[0].text !~# 'Ожидается'
      \ || bufname(s:found[0].bufnr) !~# '\.prg$'
  call add(s:failures, 'entry: ' . string(s:found[0]))
endif
call delete(s:program)
if empty(s:failures)
  call writefile(['PASS vim :make with localinterp --check'], $VIM_TEST_REPORT)
  qall!
endif
call writefile(map(s:failures, '"FAIL " . v:val'), $VIM_TEST_REPORT)
cquit!
