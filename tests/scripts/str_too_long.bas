STR s, t
VAR i
GOTO start
WINMSG WMKEYDOWN
t = LSTR(s, 4)
PRINT 0, i, t
ENDWM
LABEL start
s = "abc"
WHILE i < 30
i = i + 1
t = s
s = s + t
WEND
PRINT 0, 0, "not reached"
