VAR k, n
STR s
WHILE n < 42
n = n + 1
HWPARAM k
s = s + STRS(k)
s = s + " "
WEND
PRINT 0, 0, s
