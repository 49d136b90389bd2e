' A string literal whose text is an operator passes the pre-check as a comparison's operator,
' but as an operator it never holds: a WHILE with it does not go round, an IF takes its ELSE.
VAR i, j, n
PTR p
i = 1 : j = 5 : p = 1
WHILE i "=" 1
n = n + 1
WEND
PRINT 0, 0, n
n = 0
WHILE i < 3 | j "<" 9
i = i + 1 : n = n + 1
WEND
PRINT 0, 1, n
n = 0
WHILE i < 9 & j "!" 0
i = i + 1 : n = n + 1
WEND
PRINT 0, 2, n
IF i "<" p : PRINT 0, 3, "T" : ELSE : PRINT 0, 3, "F" : ENDIF
IF i "!" p : PRINT 0, 4, "T" : ELSE : PRINT 0, 4, "F" : ENDIF
IF i ! p : PRINT 0, 5, "T" : ELSE : PRINT 0, 5, "F" : ENDIF
