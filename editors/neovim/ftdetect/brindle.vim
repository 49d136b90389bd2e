" Neovim's own rules take .bas for other BASICs; this runs after them and wins.
autocmd BufRead,BufNewFile *.bas set filetype=brindle
