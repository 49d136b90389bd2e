VAR a, b
IF a = 1 | b = (2)
