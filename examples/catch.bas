' Catch the falling stars with the basket: Left and Right arrow keys, or the mouse.
' Three stars missed end the game; Enter starts a new one. In a window:
'   build/brindle examples/catch.bas
VAR t, bx, by, bw, sx, sy, top, right, speed, score, lives, key, mx, playing
STR text
t = 30
by = 520
bw = 80
top = by - 10
newgame()
TIMERON t
GOTO done

FUNC newgame()
score = 0
lives = 3
speed = 3
bx = 352
playing = 1
newstar()
redraw()
ENDFN

FUNC newstar()
sx = 20 + RAND(740)
sy = 40
ENDFN

FUNC redraw()
BCOLOR 15, 20, 45
FCOLOR 15, 20, 45
RECT 0, 0, 784, 561
BCOLOR 255, 220, 80
FCOLOR 255, 240, 160
CIRCLE sx, sy, 10
BCOLOR 160, 90, 40
FCOLOR 220, 140, 70
RECT bx, by, bw, 16
FCOLOR 230, 230, 230
text = "Score " + STRS(score)
PRINT 20, 12, text
text = "Lives " + STRS(lives)
PRINT 680, 12, text
IF playing = 0
PRINT 300, 260, "Game over - Enter plays again"
ENDIF
SWAP
ENDFN

' The star falls a little on every tick.
WINMSG WMTIMER
IF playing = 1
sy = sy + speed
right = bx + bw
IF sy > top & sy < by & sx > bx & sx < right
score = score + 1
speed = speed + 0.25
newstar()
ENDIF
IF sy > 561
lives = lives - 1
newstar()
IF lives = 0
playing = 0
ENDIF
ENDIF
redraw()
ENDIF
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key = 37
bx = bx - 24
ENDIF
IF key = 39
bx = bx + 24
ENDIF
IF bx < 0
bx = 0
ENDIF
IF bx > 704
bx = 704
ENDIF
ENDWM

WINMSG WMMOUSEMOVE
MOUSEX mx
bx = mx - 40
ENDWM

WINMSG WMCOMMAND
IF playing = 0
newgame()
ENDIF
ENDWM

LABEL done
