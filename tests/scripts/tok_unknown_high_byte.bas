VAR a
a = 1 ÿ 2
