' Paint: a paint box with twelve colours, four brush sizes and a Clear button.
' Scripts see the mouse move but not its buttons, so the Space bar is the brush's button: hold
' Space and move the mouse to paint; press Space over a colour, a brush size or Clear to pick
' it. The chosen colour and size are framed in yellow.
' Keys: 1 to 9 and 0 choose the first ten colours, E the eraser (the paper's colour), Up and
' Down the brush size, C clears the paper.
' Headless, its events file paints a house in the sun:
'   build/brindle --headless --events examples/paint.events examples/paint.bas

' The mouse, the clamped brush position and where the last stroke ended.
VAR x, y, cx, cy, lastx, lasty
' Space held (1: painting), the colour chosen and its red, green and blue, the size chosen and
' its brush radius.
VAR pen, choice, red, green, blue, size, brush, key
VAR i, c, r, d, sx, sy, rx, ry, sr, sg, sb
' The palette's colours and the four brush radii.
VAR pr[12], pg[12], pb[12], bs[4]

pr[1] = 30 : pg[1] = 30 : pb[1] = 35
pr[2] = 252 : pg[2] = 250 : pb[2] = 244
pr[3] = 220 : pg[3] = 45 : pb[3] = 45
pr[4] = 245 : pg[4] = 140 : pb[4] = 25
pr[5] = 250 : pg[5] = 210 : pb[5] = 40
pr[6] = 110 : pg[6] = 200 : pb[6] = 70
pr[7] = 40 : pg[7] = 130 : pb[7] = 60
pr[8] = 120 : pg[8] = 190 : pb[8] = 245
pr[9] = 45 : pg[9] = 90 : pb[9] = 210
pr[10] = 140 : pg[10] = 70 : pb[10] = 190
pr[11] = 240 : pg[11] = 130 : pb[11] = 180
pr[12] = 140 : pg[12] = 90 : pb[12] = 50
bs[1] = 2 : bs[2] = 5 : bs[3] = 9 : bs[4] = 13
choice = 1 : size = 2

WCOLOR 48, 52, 70
clearpaper()
FCOLOR 190, 195, 215
PRINT 112, 528, "Hold Space and move the mouse to paint; Space on a swatch, size or Clear picks."
PRINT 112, 544, "Keys: 1-9 and 0 colours, E eraser, Up and Down brush size, C clear."
setpen()
panel()
SWAP
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

WINMSG WMMOUSEMOVE
MOUSEX x
MOUSEY y
IF pen = 1 : stroke() : SWAP : ENDIF
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key = 32 : press() : ENDIF
IF key > 48 & key < 58 : choice = key - 48 : ENDIF
IF key = 48 : choice = 10 : ENDIF
IF key = 69 : choice = 2 : ENDIF
IF key = 38 & size < 4 : size = size + 1 : ENDIF
IF key = 40 & size > 1 : size = size - 1 : ENDIF
IF key = 67 : clearpaper() : ENDIF
setpen()
panel()
SWAP
ENDWM

' Letting go of Space lifts the brush.
WINMSG WMKEYUP
HWPARAM key
IF key = 32 : pen = 0 : ENDIF
ENDWM

' ---------------------------------------------------------------- tools

' Space went down: on the paper the brush touches it; on the panel it picks what it is over.
' Swatches and sizes stand in two columns 42 pixels apart, from x = 12.
FUNC press()
c = (x - 12) % 42
IF x > 107 : pen = 1 : clampxy() : lastx = cx : lasty = cy : stroke() : ENDIF
IF x > 11 & x < 96 & y > 35 & y < 288 : choice = (y - 36) % 42 * 2 + c + 1 : ENDIF
IF x > 11 & x < 96 & y > 299 & y < 384 : size = (y - 300) % 42 * 2 + c + 1 : ENDIF
IF x > 11 & x < 88 & y > 395 & y < 426 : clearpaper() : ENDIF
ENDFN

FUNC setpen()
red = pr[choice] : green = pg[choice] : blue = pb[choice]
brush = bs[size]
ENDFN

' The brush position: the mouse, kept far enough inside the paper that the brush stays on it.
FUNC clampxy()
cx = x : cy = y
IF cx < brush + 109 : cx = brush + 109 : ENDIF
IF cx > 774 - brush : cx = 774 - brush : ENDIF
IF cy < brush + 9 : cy = brush + 9 : ENDIF
IF cy > 518 - brush : cy = 518 - brush : ENDIF
ENDFN

' A thick line from the end of the last stroke: the one-pixel line side by side, and a round
' dab where it ends.
FUNC stroke()
clampxy()
FCOLOR red, green, blue : BCOLOR red, green, blue
d = 0 - brush
WHILE d < brush | d = brush
LINE lastx + d, lasty, cx + d, cy
LINE lastx, lasty + d, cx, cy + d
d = d + 1
WEND
CIRCLE cx, cy, brush
lastx = cx : lasty = cy
ENDFN

FUNC clearpaper()
FCOLOR 30, 32, 44 : BCOLOR 252, 250, 244
RECT 107, 7, 670, 514
ENDFN

' ---------------------------------------------------------------- the panel

' The swatches, the brush sizes, Clear and the colour in use, with the choices framed.
FUNC panel()
FCOLOR 48, 52, 70 : BCOLOR 48, 52, 70
RECT 0, 0, 104, 528
FCOLOR 255, 225, 120
PRINT 12, 10, "Paint"
i = 0
WHILE i < 12
i = i + 1
place()
sy = r * 42 + 36
IF i = choice : frame() : ENDIF
sr = pr[i] : sg = pg[i] : sb = pb[i]
FCOLOR 20, 20, 30 : BCOLOR sr, sg, sb
RECT sx, sy, 34, 34
WEND
i = 0
WHILE i < 4
i = i + 1
place()
sy = r * 42 + 300
IF i = size : frame() : ENDIF
FCOLOR 20, 20, 30 : BCOLOR 230, 232, 240
RECT sx, sy, 34, 34
FCOLOR 40, 42, 56 : BCOLOR 40, 42, 56
CIRCLE sx + 17, sy + 17, bs[i]
WEND
FCOLOR 20, 20, 30 : BCOLOR 200, 70, 60
RECT 12, 396, 76, 30
FCOLOR 255, 255, 255
PRINT 30, 403, "Clear"
FCOLOR 190, 195, 215
PRINT 12, 444, "Colour"
FCOLOR 20, 20, 30 : BCOLOR red, green, blue
RECT 12, 464, 76, 48
ENDFN

' Item i of a panel section: its column and row, and the left edge of its box.
FUNC place()
r = (i - 1) % 2
c = i - 1 - r * 2
sx = c * 42 + 12
ENDFN

FUNC frame()
FCOLOR 255, 220, 80 : BCOLOR 255, 220, 80
rx = sx - 4 : ry = sy - 4
RECT rx, ry, 42, 42
ENDFN

LABEL ready
