' An IF false on every turn, and the ELSE that ends a true branch, go on where the first turn
' went, also when a statement follows the ELSE or the ENDIF on the same line.
VAR k, a, b, c
WHILE k < 4
k = k + 1
IF k < 3 : a = a + 1 : ELSE b = b + 10 : ENDIF c = c + 100
IF k = 99 : a = 1000 : ENDIF c = c + 1
IF k > 2 : b = b + 1000 : ELSE c = c + 10000 : ENDIF
WEND
PRINT 0, 0, a
PRINT 0, 20, b
PRINT 0, 40, c
