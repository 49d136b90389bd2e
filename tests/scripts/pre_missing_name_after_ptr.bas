VAR a : ptr : a = 1
