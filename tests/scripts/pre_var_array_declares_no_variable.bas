VAR x[10]
x[1] = 1
x = 2
