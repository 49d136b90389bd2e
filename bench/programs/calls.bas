' 5,000,000 calls of a parameterless function.
VAR i, n
WHILE i < 5000000
i = i + 1
bump()
WEND
PRINT 0, 0, n
FUNC bump()
n = n + 1
ENDFN
