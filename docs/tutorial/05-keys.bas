' Catch the falling stars: steer the basket with the arrow keys or the mouse.
' Each star in the basket scores a point.
VAR t, n, i, x, y, bx, right, key, mx, score, missed
VAR sx[5], sy[5]
STR text

n = 4
t = 50
newgame()
GOTO ready

' Every tick moves each star down; the faster stars have the higher numbers.
WINMSG WMTIMER
i = 0
WHILE i < n
i = i + 1
fall()
WEND
redraw()
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key = 37 & bx > 0 : bx = bx - 24 : ENDIF
IF key = 39 & bx < 704 : bx = bx + 24 : ENDIF
ENDWM

WINMSG WMMOUSEMOVE
MOUSEX mx
bx = mx - 40
ENDWM

FUNC newgame()
score = 0 : missed = 0 : bx = 352
i = 0
WHILE i < n
i = i + 1
sx[i] = RAND(740) + 20
sy[i] = 0 - i * 60
WEND
TIMERON t
ENDFN

FUNC fall()
sy[i] = sy[i] + 3 + i * 3
x = sx[i] : y = sy[i] : right = bx + 80
IF y > 484 & x > bx & x < right : caught() : ENDIF
IF y > 530 : lost() : ENDIF
ENDFN

FUNC caught()
score = score + 1
again()
ENDFN

FUNC lost()
missed = missed + 1
again()
ENDFN

' Star i starts again above the sky, at a new place.
FUNC again()
sx[i] = RAND(740) + 20
sy[i] = 0 - RAND(200)
y = 0
ENDFN

FUNC redraw()
FCOLOR 20, 30, 70 : BCOLOR 20, 30, 70
RECT 0, 0, 784, 520
FCOLOR 40, 120, 50 : BCOLOR 40, 120, 50
RECT 0, 520, 784, 41
i = 0
FCOLOR 255, 230, 120 : BCOLOR 255, 230, 120
WHILE i < n
i = i + 1
CIRCLE sx[i], sy[i], 8
WEND
FCOLOR 90, 50, 20 : BCOLOR 160, 100, 40
RECT bx, 490, 80, 24
LINE bx, 498, bx + 80, 498
LINE bx, 506, bx + 80, 506
FCOLOR 255, 255, 255
text = "Score: " + STRS(score)
text = text + "   Missed: " + STRS(missed)
PRINT 16, 12, text
SWAP
ENDFN

LABEL ready
