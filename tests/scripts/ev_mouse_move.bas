' Mouse moves run WMMOUSEMOVE and record the position; a key handler reads the last of them.
VAR x, y, k
GOTO start
WINMSG WMMOUSEMOVE
MOUSEX x
MOUSEY y
PRINT x, y, "move"
ENDWM
WINMSG WMKEYDOWN
MOUSEX x
MOUSEY y
HWPARAM k
PRINT x, y, k
ENDWM
LABEL start
PRINT 0, 0, "main"
