VAR a
IF a "=!" 1
ENDIF
IF a = 1 & a "" 2
ENDIF
IF a = 1 & a > < 2
ENDIF
