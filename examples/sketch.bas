' Sketch pad: move the mouse to draw.
' Keys: 1 to 8 choose a colour, Space lifts or lowers the pen, Up and Down change the size
' of the brush, C clears the paper.
' Headless, its events file draws a little picture:
'   build/brindle --headless --events examples/sketch.events examples/sketch.bas

' The mouse now and before, the pen (1: down, drawing), whether the mouse has moved yet,
' the brush radius, the colour chosen and its red, green and blue.
VAR x, y, lastx, lasty, pen, moved, brush, choice, red, green, blue, key
VAR i, d, sx, sr, sg, sb, bottom
' The eight colours of the palette.
VAR pr[8], pg[8], pb[8]
STR text

pr[1] = 30 : pg[1] = 30 : pb[1] = 35
pr[2] = 220 : pg[2] = 45 : pb[2] = 45
pr[3] = 245 : pg[3] = 140 : pb[3] = 25
pr[4] = 245 : pg[4] = 205 : pb[4] = 30
pr[5] = 50 : pg[5] = 160 : pb[5] = 60
pr[6] = 45 : pg[6] = 100 : pb[6] = 215
pr[7] = 140 : pg[7] = 60 : pb[7] = 180
pr[8] = 130 : pg[8] = 80 : pb[8] = 40

' Strokes stay above this line, clear of the tool bar.
bottom = 482
pen = 1 : brush = 2
key = 49 : choose()

' The paper, the tool bar and a line of help under it.
WCOLOR 60, 64, 84
clearpaper()
FCOLOR 190, 195, 215
PRINT 16, 538, "1-8: colour   Space: pen up or down   Up, Down: brush size   C: clear"
toolbar()
SWAP
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' A move draws from where the mouse was to where it is now, when the pen is down.
WINMSG WMMOUSEMOVE
MOUSEX x
MOUSEY y
IF pen = 1 & moved = 1 & y < bottom & lasty < bottom : stroke() : ENDIF
lastx = x : lasty = y : moved = 1
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key > 48 & key < 57 : choose() : ENDIF
IF key = 32 : pen = 1 - pen : ENDIF
IF key = 67 : clearpaper() : ENDIF
IF key = 38 & brush < 6 : brush = brush + 1 : ENDIF
IF key = 40 & brush > 1 : brush = brush - 1 : ENDIF
toolbar()
SWAP
ENDWM

' ---------------------------------------------------------------- drawing

' A thick line: the one-pixel line side by side, and a round dot at its end.
FUNC stroke()
FCOLOR red, green, blue : BCOLOR red, green, blue
d = 0 - brush
WHILE d < brush | d = brush
LINE lastx + d, lasty, x + d, y
LINE lastx, lasty + d, x, y + d
d = d + 1
WEND
CIRCLE x, y, brush
SWAP
ENDFN

' Keys 1 to 8 (codes 49 to 56) choose a colour.
FUNC choose()
choice = key - 48
red = pr[choice] : green = pg[choice] : blue = pb[choice]
ENDFN

FUNC clearpaper()
FCOLOR 252, 250, 244 : BCOLOR 252, 250, 244
RECT 0, 0, 784, 490
ENDFN

' The palette with the chosen colour framed, the brush, and whether the pen is down.
FUNC toolbar()
FCOLOR 60, 64, 84 : BCOLOR 60, 64, 84
RECT 0, 490, 784, 40
i = 0
WHILE i < 8
i = i + 1
sx = i * 40 - 24
IF i = choice : frame() : ENDIF
FCOLOR 20, 20, 30
sr = pr[i] : sg = pg[i] : sb = pb[i]
BCOLOR sr, sg, sb
RECT sx, 498, 28, 28
WEND
FCOLOR red, green, blue : BCOLOR red, green, blue
CIRCLE 370, 512, brush
text = "Pen up"
IF pen = 1 : text = "Pen down" : ENDIF
text = text + "   Brush " + STRS(brush)
FCOLOR 230, 232, 240
PRINT 400, 504, text
ENDFN

FUNC frame()
FCOLOR 255, 255, 255 : BCOLOR 255, 255, 255
sx = sx - 3
RECT sx, 495, 34, 34
sx = sx + 3
ENDFN

LABEL ready
