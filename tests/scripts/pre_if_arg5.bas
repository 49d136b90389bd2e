VAR a, b
IF a = 1 & b > 2
ENDIF
IF a = 1 | 2 > b
