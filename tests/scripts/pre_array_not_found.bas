VAR a
a[1] = 2
