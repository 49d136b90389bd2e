VAR n, i
GOTO start
WINMSG WMKEYDOWN
n = n + 1
PRINT 0, 0, (n)
ENDWM
LABEL start
PRINT 0, 0, "loop"
WHILE i < 100000
i = i + 1
SWAP
WEND
PRINT 0, 0, "after"
