VAR a, b, c, n
GOTO middle
LABEL top
a = 1
LABEL middle
b = b + 1
c = c + 10
n = n + 1
IF n < 3
GOTO top
ENDIF
PRINT 0, 1, a
PRINT 0, 2, b
PRINT 0, 3, c
WHILE n < 6
n = n + 1
b = b * 2
WEND
PRINT 0, 4, n
PRINT 0, 5, b
a = 7
b = VAL(5)
c = 99
PRINT 0, 6, c
