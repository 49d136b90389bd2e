VAR n, t, seen, now
t = 10
TIMERON t
GOTO start
WINMSG WMKEYDOWN
GETTICK now
PRINT n, now, "key"
seen = 1
ENDWM
LABEL start
WHILE seen = 0
n = n + 1
SWAP
WEND
PRINT n, 0, "done"
