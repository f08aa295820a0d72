" Tavro's task, script and animation files; "boot" and "init" only beside each other.
au BufRead,BufNewFile *.scr,*.tsk,*.ani set filetype=tavro
au BufRead,BufNewFile boot,init if filereadable(expand('<afile>:p:h') . '/boot') | set filetype=tavro | endif
