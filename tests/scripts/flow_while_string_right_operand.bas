VAR n
STR s
PRINT 0, 1, "before"
WHILE n < s
n = n + 1
WEND
PRINT 0, 2, "after"
