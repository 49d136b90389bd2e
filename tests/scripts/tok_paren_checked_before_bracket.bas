VAR a
x = (a]
