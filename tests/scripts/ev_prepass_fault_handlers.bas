VAR n
STR s
WINMSG WMKEYDOWN
n = n + 1
PRINT 0, n, "key"
IF n = 2
s = 5
ENDIF
ENDWM
PRINT 0, 0, missing
