VAR x
x = cos[1]
