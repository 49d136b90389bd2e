' Brindle's icon, 256 x 256 pixels at the top left: a brindled ball, streaked like the coat
' the program is named for, on a rounded night-blue tile. render.py crops it, makes the
' magenta around the tile transparent and scales it to the icon theme's sizes.
VAR x, y, dx, dy, d, s, r
WCOLOR 255, 0, 255
FCOLOR 28, 34, 70
BCOLOR 28, 34, 70
RECT 40, 8, 176, 240
RECT 8, 40, 240, 176
CIRCLE 40, 40, 32
CIRCLE 215, 40, 32
CIRCLE 40, 215, 32
CIRCLE 215, 215, 32
' The ball: amber, with dark streaks that wave across it, lighter towards the top left.
y = 36
WHILE y < 221
x = 36
WHILE x < 221
dx = x - 128
dy = y - 128
d = dx * dx + dy * dy
IF d > 8463
GOTO outside
ENDIF
s = FRAC((x + y + 9 * SIN(y / 11) + 5 * SIN(x / 17)) / 30)
r = (dx + dy) / 184
FCOLOR 232, 160, 60
IF r < (-0.35)
FCOLOR 250, 196, 92
ENDIF
IF r > 0.2
FCOLOR 204, 128, 44
ENDIF
IF s < 0.36
FCOLOR 74, 40, 18
ENDIF
PSET x, y
LABEL outside
x = x + 1
WEND
y = y + 1
WEND
SWAP
