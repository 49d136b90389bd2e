VAR a

b = 1
