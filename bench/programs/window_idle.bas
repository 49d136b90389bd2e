' A script that has drawn its picture and waits for events that do not come.
VAR k
WCOLOR 30, 60, 90
FCOLOR 255, 255, 255
PRINT 40, 40, "Waiting"
SWAP
GOTO done
WINMSG WMKEYDOWN
HWPARAM k
ENDWM
LABEL done
