VAR a : b = a
