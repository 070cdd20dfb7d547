" Settings for localinterp programs: line comments and :make checking the file.
if exists('b:did_ftplugin')
  finish
endif
let b:did_ftplugin = 1

setlocal commentstring=//\ %s
setlocal comments=://
compiler localinterp
let b:undo_ftplugin = 'setlocal commentstring< comments< makeprg< errorformat<'
