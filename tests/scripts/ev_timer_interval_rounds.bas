' TIMERON rounds its interval to whole milliseconds: 100.6 is 101, so the ticks of a second
' fall at 101, 202, ... 909.
VAR t, n, now
t = 100.6
TIMERON t
GOTO start
WINMSG WMTIMER
n = n + 1
GETTICK now
PRINT n, now, "tick"
ENDWM
LABEL start
