' Stars fall from the sky, one step on every tick of the timer.
VAR t, n, i
VAR sx[5], sy[5]
n = 4
i = 0
WHILE i < n
i = i + 1
sx[i] = RAND(740) + 20
sy[i] = 0 - i * 60
WEND
t = 50
TIMERON t
GOTO ready

' Every tick moves each star down (the later ones faster), then draws the sky again.
WINMSG WMTIMER
i = 0
WHILE i < n
i = i + 1
sy[i] = sy[i] + 3 + i * 3
IF sy[i] > 530 : again() : ENDIF
WEND
redraw()
ENDWM

' Star i starts again above the sky, at a new place.
FUNC again()
sx[i] = RAND(740) + 20
sy[i] = 0 - RAND(200)
ENDFN

FUNC redraw()
FCOLOR 20, 30, 70 : BCOLOR 20, 30, 70
RECT 0, 0, 784, 520
FCOLOR 40, 120, 50 : BCOLOR 40, 120, 50
RECT 0, 520, 784, 41
FCOLOR 255, 230, 120 : BCOLOR 255, 230, 120
i = 0
WHILE i < n
i = i + 1
CIRCLE sx[i], sy[i], 8
WEND
SWAP
ENDFN

LABEL ready
