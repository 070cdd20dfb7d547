" Program files of localinterp. Vim's own detection gives *.prg to another language;
" this plugin is installed to take them over.
autocmd BufRead,BufNewFile *.prg set filetype=localinterp
