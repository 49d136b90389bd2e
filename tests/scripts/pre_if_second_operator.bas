VAR a, b[2]
IF b[1] = 2
ENDIF
IF a = 1 & b[1] = 2
ENDIF
