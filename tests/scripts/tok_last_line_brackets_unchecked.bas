VAR x
x = (1