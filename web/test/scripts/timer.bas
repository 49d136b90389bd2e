' The timer: five ticks, each drawing a bar, then the timer stops and the count is printed.
VAR ticks, x, interval
interval = 40
WCOLOR 240, 240, 250
FCOLOR 30, 30, 90 : BCOLOR 90, 140, 220
TIMERON interval
GOTO ready

WINMSG WMTIMER
ticks = ticks + 1
x = 20 + ticks * 40
RECT x, 40, 30, 100
IF ticks = 5 : TIMEROFF : PRINT 20, 160, "5 ticks, then the timer stopped" : ENDIF
SWAP
ENDWM

LABEL ready
