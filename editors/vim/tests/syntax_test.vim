" Loads the plugin headless on a sample file and checks the highlight group of chosen
" words: file-type detection, both keyword sets in any case, functions only when called,
" commands only where a statement starts, strings, numbers and comments.
" Run: vim -Nu NONE -i NONE -es -S editors/vim/tests/syntax_test.vim (prints PASS or FAIL lines).
let s:here = expand('<sfile>:p:h')
execute 'set runtimepath^=' . fnameescape(fnamemodify(s:here, ':h'))
filetype plugin on
syntax on
execute 'edit ' . fnameescape(s:here . '/sample.prg')

let s:report = empty($VIM_TEST_REPORT) ? '/dev/stdout' : $VIM_TEST_REPORT
let s:failures = []
let s:checks = 0
function! s:Expect(line, text, group) abort
  let s:checks += 1
  let l:column = stridx(getline(a:line), a:text)
  if l:column < 0
    call add(s:failures, printf('line %d: %s not found', a:line, a:text))
    return
  endif
  let l:actual = synIDattr(synID(a:line, l:column + 1, 1), 'name')
  if l:actual !=# a:group
    call add(s:failures, printf('line %d: %s is %s, expected %s', a:line, a:text, string(l:actual), string(a:group)))
  endif
endfunction

if &filetype !=# 'localinterp'
  call add(s:failures, 'filetype is ' . string(&filetype))
endif
if &makeprg !~# '^localinterp --check'
  call add(s:failures, 'makeprg is ' . string(&makeprg))
endif
call s:Expect(1, 'comment', 'localinterpComment')
call s:Expect(2, 'FOR', 'localinterpStatement')
call s:Expect(2, 'TO', 'localinterpStatement')
call s:Expect(2, '10', 'localinterpNumber')
call s:Expect(3, 'если', 'localinterpStatement')
call s:Expect(3, 'СтрДлина', 'localinterpFunction')
call s:Expect(3, 'тогда', 'localinterpStatement')
call s:Expect(4, 'Сообщить', 'localinterpFunction')
call s:Expect(4, 'Привет', 'localinterpString')
call s:Expect(4, 'ENDIF', 'localinterpString')
call s:Expect(5, 'КонецЕсли', 'localinterpStatement')
call s:Expect(6, 'EndDo', 'localinterpStatement')
call s:Expect(7, 'string', '')
call s:Expect(7, 'ifx', '')
call s:Expect(7, 'STRING(', 'localinterpFunction')
call s:Expect(7, '"two', 'localinterpString')
call s:Expect(8, 'display', 'localinterpCommand')
call s:Expect(8, 'memory', 'localinterpCommand')
call s:Expect(9, 'LOAD', 'localinterpCommand')
call s:Expect(9, 'ТаблицаЗначений', 'localinterpClass')
call s:Expect(10, 'memory', '')
call s:Expect(10, 'help', '')
call s:Expect(12, 'lines', 'localinterpString')
call s:Expect(12, 'TODO', 'localinterpTodo')

if empty(s:failures)
  call writefile(['PASS vim syntax: ' . s:checks . ' checks'], s:report)
  qall!
endif
call writefile(map(s:failures, '"FAIL " . v:val'), s:report)
cquit!
