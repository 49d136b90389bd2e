VAR x
x = TAN
