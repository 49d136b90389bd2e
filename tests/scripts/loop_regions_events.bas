VAR i, j, q, t, n, k, h
t = 10 : TIMERON t : GOTO start
' Loops that go round while timer ticks and keys are due: no loop may run its compiled code
' while the pump could take an event, so every handler starts at the token where the statement
' loop would start it, also inside a handler's own loop. Once the timeline is used up, the
' loops run their compiled code to the end. The timer starts before the first pump.
WINMSG WMTIMER
n = n + 1
j = 0
WHILE j < 3
j = j + 1
h = h + 1
WEND
PRINT 51, n, (h)
ENDWM
WINMSG WMKEYDOWN
HWPARAM k
q = 0
WHILE q < 4
q = q + 1
PRINT 60, q, (k + n)
SWAP
WEND
PRINT 60, 9, (q)
ENDWM
LABEL start
WHILE i < 12
i = i + 1
PRINT 0, i, (n)
SWAP
IF i > 9 : h = h + 100 : ENDIF
WEND
TIMEROFF
PRINT 0, 99, (h)
