' Waiting for a timer that ticks once a second.
VAR t, n
t = 1000
WCOLOR 30, 60, 90
SWAP
TIMERON t
GOTO done
WINMSG WMTIMER
n = n + 1
ENDWM
LABEL done
