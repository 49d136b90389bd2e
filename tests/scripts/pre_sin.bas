VAR x
x = SIN(x)
x = SIN x
