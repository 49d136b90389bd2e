' 1,000,000 passes of a loop with an IF that compares strings, and one that does not.
STR s, t
VAR i, n
s = "abc" : t = "abd"
WHILE i < 1000000
i = i + 1
IF s = "abc" : n = n + 1 : ENDIF
IF s = t : n = n - 1 : ENDIF
WEND
PRINT 0, 0, n
