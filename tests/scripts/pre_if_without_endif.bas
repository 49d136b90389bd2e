VAR a
IF a = 1
IF a = 2
IF a = 3
ENDIF
ENDIF
FUNC f()
