' In the message loop: Enter is command 1, Escape command 2 (no handler runs), Tab moves the
' focus (no key-down); arrow keys and other keys reach the key handlers.
VAR k
GOTO start
WINMSG WMKEYDOWN
HWPARAM k
PRINT 1, 0, k
ENDWM
WINMSG WMKEYUP
HWPARAM k
PRINT 2, 0, k
ENDWM
WINMSG WMCOMMAND
HWPARAM k
PRINT 3, 0, k
ENDWM
WINMSG WMMOUSEMOVE
HWPARAM k
PRINT 4, 0, k
ENDWM
LABEL start
PRINT 0, 0, "main"
