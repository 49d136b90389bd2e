' Function plotter: four curves on a grid with numbered axes, each in its own colour, with
' a legend. The curves sweep in from the left whenever the picture changes.
' Keys: 1 to 4 show or hide a curve (sin x, cos x, x squared over 4, a damped wave);
' Up zooms in and Down zooms out.
' Headless, its events file zooms out and in and switches curves off and on again:
'   build/brindle --headless --events examples/plotter.events examples/plotter.bas

' The plot area (its corner, size and last row), the origin in its middle, the pixels a unit,
' the step between grid lines in units and in pixels, the rows a curve may use.
VAR left, top, pw, ph, bottom, ox, oy, scale, stepu, steppx, ylo, yhi
' The sweep: how far the curves are drawn, how far a tick takes them, the timer's interval.
VAR sweep, slice, lastcol, interval, key
' Helpers for drawing.
VAR fn, a, b, col, x, y, lx, py, out, x1, y1, o1, gx, lim, v, n, f, i, ly, red, green, blue
' Each curve: shown (1) or hidden (0), its colour and its name.
VAR shown[4], cr[4], cg[4], cb[4]
STR fname[4], text, num

left = 24 : top = 40 : pw = 560 : ph = 448
bottom = top + ph - 1
ox = left + pw / 2 : oy = top + ph / 2
ylo = top + 1 : yhi = bottom - 2
scale = 48 : slice = 56 : lastcol = pw - 4 : interval = 40

shown[1] = 1 : cr[1] = 220 : cg[1] = 50 : cb[1] = 50 : fname[1] = "sin x"
shown[2] = 1 : cr[2] = 40 : cg[2] = 110 : cb[2] = 220 : fname[2] = "cos x"
shown[3] = 1 : cr[3] = 30 : cg[3] = 150 : cb[3] = 70 : fname[3] = "x^2 / 4"
shown[4] = 1 : cr[4] = 200 : cg[4] = 110 : cb[4] = 20 : fname[4] = "damped wave"

WCOLOR 250, 250, 247
FCOLOR 40, 44, 60
PRINT left, 12, "F U N C T I O N   P L O T T E R"
FCOLOR 110, 115, 130
PRINT left, 504, "1-4: show or hide a curve.   Up, Down: zoom in and out."
PRINT left, 528, "The damped wave is 3 cos 2x times e^(-|x|/4)."

redraw()
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' Each tick draws the next strip of every curve shown, until the curves reach the right.
WINMSG WMTIMER
a = sweep : b = sweep + slice
IF b > lastcol : b = lastcol : ENDIF
fn = 0
WHILE fn < 4
fn = fn + 1
IF shown[fn] = 1 : curve() : ENDIF
WEND
sweep = b
IF sweep = lastcol : TIMEROFF : ENDIF
SWAP
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key > 48 & key < 53 : i = key - 48 : shown[i] = 1 - shown[i] : ENDIF
IF key = 38 & scale < 192 : scale = scale * 2 : ENDIF
IF key = 40 & scale > 12 : scale = scale / 2 : ENDIF
redraw()
ENDWM

' ---------------------------------------------------------------- drawing

' The grid and the legend now; the timer then sweeps the curves in.
FUNC redraw()
grid()
legend()
sweep = 0
SWAP
TIMERON interval
ENDFN

' The grid lines come every 1, 2, 4 ... units, or every half or quarter unit, whichever lies
' 32 to 80 pixels apart; the axes carry a tick and a number at each.
FUNC grid()
FCOLOR 160, 165, 180 : BCOLOR 255, 255, 255
RECT left, top, pw, ph
stepu = 1 : steppx = scale
WHILE steppx < 32
stepu = stepu * 2 : steppx = steppx * 2
WEND
WHILE steppx > 80
stepu = stepu / 2 : steppx = steppx / 2
WEND
FCOLOR 226, 230, 240
lim = pw / 2 : gx = steppx
WHILE gx < lim
LINE ox + gx, ylo, ox + gx, bottom
LINE ox - gx, ylo, ox - gx, bottom
gx = gx + steppx
WEND
lim = ph / 2 : gx = steppx
WHILE gx < lim
LINE left + 1, oy + gx, left + pw - 1, oy + gx
LINE left + 1, oy - gx, left + pw - 1, oy - gx
gx = gx + steppx
WEND
FCOLOR 70, 74, 90
LINE left + 1, oy, left + pw - 1, oy
LINE ox, ylo, ox, bottom
PRINT ox - 12, oy + 6, "0"
lim = pw / 2 - 8 : gx = steppx
WHILE gx < lim
numtext()
LINE ox + gx, oy - 3, ox + gx, oy + 4
LINE ox - gx, oy - 3, ox - gx, oy + 4
PRINT ox + gx - n * 4, oy + 6, text
text = "-" + text
PRINT ox - gx - n * 4 - 4, oy + 6, text
gx = gx + steppx
WEND
lim = ph / 2 - 8 : gx = steppx
WHILE gx < lim
numtext()
LINE ox - 3, oy - gx, ox + 4, oy - gx
LINE ox - 3, oy + gx, ox + 4, oy + gx
PRINT ox - 8 - n * 8, oy - gx - 8, text
text = "-" + text
PRINT ox - 16 - n * 8, oy + gx - 8, text
gx = gx + steppx
WEND
ENDFN

' The number gx pixels from the origin, as text of n characters.
FUNC numtext()
v = gx / scale
text = STRS(v)
n = 1
IF v > 9 : n = 2 : ENDIF
f = FRAC v
IF f > 0 : n = n + 2 : ENDIF
f = FRAC(v * 2)
IF f > 0 : n = n + 1 : ENDIF
ENDFN

' The curves with their keys and colours (grey when hidden) and how many show, the keys,
' and the scale with the ranges of x and y to a tenth.
FUNC legend()
FCOLOR 160, 165, 180 : BCOLOR 240, 242, 248
RECT 600, 40, 176, 448
FCOLOR 40, 44, 60
PRINT 612, 56, "Curves"
i = 0 : n = 0
WHILE i < 4
i = i + 1
n = n + shown[i]
ly = 60 + i * 28
red = cr[i] : green = cg[i] : blue = cb[i]
IF shown[i] = 0 : red = 195 : green = 198 : blue = 208 : ENDIF
FCOLOR red, green, blue
LINE 630, ly + 7, 654, ly + 7
LINE 630, ly + 8, 654, ly + 8
LINE 630, ly + 9, 654, ly + 9
red = 40 : green = 44 : blue = 60
IF shown[i] = 0 : red = 170 : green = 174 : blue = 186 : ENDIF
FCOLOR red, green, blue
PRINT 612, ly, i
PRINT 662, ly, fname[i]
WEND
FCOLOR 90, 95, 110
text = STRS(n)
text = text + " of 4 shown"
PRINT 612, 200, text
FCOLOR 40, 44, 60
PRINT 612, 232, "Keys"
PRINT 612, 336, "Scale"
FCOLOR 90, 95, 110
PRINT 612, 260, "1-4  show, hide"
PRINT 612, 280, "Up   zoom in"
PRINT 612, 300, "Down zoom out"
text = "1 unit: " + STRS(scale)
text = text + " px"
PRINT 612, 364, text
v = ROUND(pw * 5 / scale) : tenths()
text = "x: -" + num
text = text + " to " + num
PRINT 612, 384, text
v = ROUND(ph * 5 / scale) : tenths()
text = "y: -" + num
text = text + " to " + num
PRINT 612, 404, text
ENDFN

' The text of v tenths, such as 5.8 for 58, in num.
FUNC tenths()
n = v % 10 : f = v - n * 10
num = STRS(n)
num = num + "." + STRS(f)
ENDFN

' Curve fn from column a to column b of the plot area, two pixels a step, three pixels
' thick. A point above or below the area is held at its edge, and a step between two such
' points is not drawn.
FUNC curve()
red = cr[fn] : green = cg[fn] : blue = cb[fn]
FCOLOR red, green, blue
col = a - 2
IF col < 2 : col = 2 : ENDIF
point()
x1 = lx : y1 = py : o1 = out
WHILE col < b
col = col + 2
point()
IF o1 = 0 | out = 0 : segment() : ENDIF
x1 = lx : y1 = py : o1 = out
WEND
ENDFN

' The point of curve fn in column col: its pixel lx, py, and whether it is off the area.
FUNC point()
lx = left + col
x = (lx - ox) / scale
IF fn = 1 : y = SIN(x) : ENDIF
IF fn = 2 : y = COS(x) : ENDIF
IF fn = 3 : y = x * x / 4 : ENDIF
IF fn = 4 : y = 3 * COS(x * 2) * (2.7182818 ^ (0 - ABS(x) / 4)) : ENDIF
py = oy - y * scale
out = 0
IF py < ylo : py = ylo : out = 1 : ENDIF
IF py > yhi : py = yhi : out = 1 : ENDIF
ENDFN

FUNC segment()
LINE x1, y1, lx, py
LINE x1 + 1, y1, lx + 1, py
LINE x1, y1 + 1, lx, py + 1
ENDFN

LABEL ready
