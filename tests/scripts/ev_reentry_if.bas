VAR x
GOTO start
WINMSG WMKEYDOWN
IF x = 5
PRINT 9, 9, "no"
ENDIF
PRINT 1, 1, "key"
ENDWM
LABEL start
x = 1
IF x = 1
SWAP
ELSE
PRINT 0, 1, "else ran"
ENDIF
PRINT 0, 2, "done"
