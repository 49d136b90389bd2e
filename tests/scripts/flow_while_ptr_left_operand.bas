VAR n
PTR pp
n = 1
WHILE n < 3
n = n + 1
WEND
PRINT 0, 1, n
WHILE n < 5 | pp < 3
n = n + 1
WEND
PRINT 0, 2, n
