' A negative interval is read unsigned by the window system, past the longest the timer
' takes: no tick comes in a second.
VAR t, n
GOTO start
WINMSG WMTIMER
n = n + 1
PRINT 0, n, n
ENDWM
LABEL start
t = 0 - 5
TIMERON t
