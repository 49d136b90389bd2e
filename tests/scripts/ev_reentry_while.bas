VAR i, j, h
GOTO start
FUNC bump()
h = h + 1
ENDFN
FUNC work()
PRINT i, 0, (i)
SWAP
ENDFN
WINMSG WMKEYDOWN
bump()
j = 0
WHILE j < 2
j = j + 1
WEND
PRINT 100, h, (j)
ENDWM
LABEL start
WHILE i < 4
i = i + 1
work()
WEND
PRINT 0, 9, "end"
