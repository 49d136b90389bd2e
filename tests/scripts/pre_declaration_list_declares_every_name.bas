VAR a = b, c[2]
b = c[1]
c = 1
