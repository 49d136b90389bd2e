VAR n, i
STR s
GOTO start
WINMSG WMKEYDOWN
n = n + 1
PRINT 1, n, (i)
s = 5
PRINT 2, n, "after"
ENDWM
LABEL start
PRINT 0, 0, "main"
WHILE i < 3
i = i + 1
SWAP
WEND
PRINT 0, 9, "never"
