' While the main run loops, its pump takes clicks and keys one at a time and has no dialog
' handling: Enter and Tab go to the focused box, which ignores them, and keys typed there
' never reach the key handler. (SWAP ends on its own token: its end of line pumps.)
PTR e
STR s
VAR n
VAR k
INPUTBOX e, 0, 0, 100, 20, "x"
WHILE n < 40
n = n + 1
SWAP
WEND
GETTEXT e, s
PRINT 0, 40, s
HWPARAM k
PRINT 0, 60, k
GOTO done
WINMSG WMKEYDOWN
PRINT 0, 80, "key handler"
ENDWM
WINMSG WMCOMMAND
PRINT 0, 100, "command handler"
ENDWM
LABEL done
