' With no WMMOUSEMOVE handler, moves leave MOUSEX and MOUSEY at 0; only key-ups run here.
VAR x, y, k
GOTO start
WINMSG WMKEYUP
MOUSEX x
MOUSEY y
HWPARAM k
PRINT x, y, (k)
ENDWM
LABEL start
PRINT 0, 0, "main"
