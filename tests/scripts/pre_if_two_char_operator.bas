VAR a
IF a <= 1
