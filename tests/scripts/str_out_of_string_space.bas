STR s, t
STR a[300]
PTR box
VAR i
GOTO start
WINMSG WMKEYDOWN
PRINT 0, i, "stopped"
a[1] = "x"
INPUTBOX box, 0, 0, 10, 10, s
PRINT 0, 1, "box made"
INPUTBOX box, 0, 0, 10, 10, s
PRINT 0, 2, "not reached"
ENDWM
LABEL start
s = "0123456789abcdef"
WHILE i < 16
i = i + 1
t = s
s = s + t
WEND
i = 0
WHILE i < 300
i = i + 1
a[i] = s
WEND
PRINT 0, 0, "not reached"
