' Clock: an analog clock with hour, minute and second hands, and a digital readout beside it.
' The language has no time of day, only the milliseconds since the computer started (GETTICK),
' so the clock starts at 12:00 and you tell it the time: type it into the box as hh:mm or
' hh:mm:ss (Tab or a click puts the caret there) and press Enter.
' Headless, its events file sets the clock, once wrongly, then to 10:08:
'   build/brindle --headless --events examples/clock.events examples/clock.bas

' The face's centre and radius, the timer's interval, the time set (seconds after midnight)
' and the tick count then, the time shown, and its hours, minutes and seconds.
VAR cx, cy, radius, interval, base, start, now, shown, hours, minutes, seconds
' Reading the box: the position of a colon, the numbers typed, whether they make a time.
VAR colon, k, h, m, s, ok
' Helpers for drawing: a hand's angle, length, width and tail, and where it turns.
VAR i, a, x, y, len, wid, tail, hx, hy, dx, dy, d, ox, oy, red, green, blue
' The readout's digits: the segments lit for each digit 0 to 9 (a bit for each), and the
' place and size of the seven segments; a digit's place and value.
VAR lit[10], sgx[7], sgy[7], sgw[7], sgh[7], digit, dgx, bits, rx, ry, rw, rh
PTR box
STR text, src, c, part

cx = 272 : cy = 284 : radius = 220 : interval = 200
base = 12 * 3600 : shown = 0 - 1

' Segments 1 to 7: top, top right, bottom right, bottom, bottom left, top left, middle.
lit[1] = 63 : lit[2] = 6 : lit[3] = 91 : lit[4] = 79 : lit[5] = 102
lit[6] = 109 : lit[7] = 125 : lit[8] = 7 : lit[9] = 127 : lit[10] = 111
sgx[1] = 4 : sgy[1] = 0 : sgw[1] = 16 : sgh[1] = 4
sgx[2] = 20 : sgy[2] = 4 : sgw[2] = 4 : sgh[2] = 18
sgx[3] = 20 : sgy[3] = 26 : sgw[3] = 4 : sgh[3] = 18
sgx[4] = 4 : sgy[4] = 44 : sgw[4] = 16 : sgh[4] = 4
sgx[5] = 0 : sgy[5] = 26 : sgw[5] = 4 : sgh[5] = 18
sgx[6] = 0 : sgy[6] = 4 : sgw[6] = 4 : sgh[6] = 18
sgx[7] = 4 : sgy[7] = 22 : sgw[7] = 16 : sgh[7] = 4

' The page: the panel on the right with its help, the box and the readout's frame.
WCOLOR 34, 38, 56
FCOLOR 240, 225, 180
PRINT 540, 40, "A N A L O G   C L O C K"
FCOLOR 170, 178, 205
PRINT 540, 240, "This clock cannot read the"
PRINT 540, 258, "time of day: tell it. Type"
PRINT 540, 276, "the time in the box as"
PRINT 540, 294, "hh:mm or hh:mm:ss and"
PRINT 540, 312, "press Enter."
FCOLOR 240, 225, 180
PRINT 540, 356, "Time:"
FCOLOR 120, 130, 160 : BCOLOR 255, 255, 255
RECT 592, 352, 104, 24
INPUTBOX box, 596, 356, 96, 16, "10:08"
FCOLOR 90, 100, 140 : BCOLOR 14, 16, 26
RECT 536, 92, 224, 88
text = "The clock runs from 12:00."
status()
GETTICK start
tick()
TIMERON interval
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

WINMSG WMTIMER
tick()
ENDWM

' Enter sets the clock to the time in the box, if it is one.
WINMSG WMCOMMAND
GETTEXT box, text
readtime()
IF ok = 1 : settime() : ENDIF
IF ok = 0 : text = "Not a time: " + text : ENDIF
status()
SWAP
ENDWM

' ---------------------------------------------------------------- the time

' The time now is the time set plus the whole seconds since; a new second is drawn.
FUNC tick()
GETTICK now
now = base + (now - start) % 1000
now = now - now % 86400 * 86400
IF now ! shown : redraw() : ENDIF
ENDFN

FUNC settime()
base = h * 3600 + m * 60 + s
GETTICK start
shown = 0 - 1
text = "Set to " + text
tick()
ENDFN

' Hours, then minutes after a colon, then seconds after another, if there is one.
FUNC readtime()
src = text
h = VAL(src)
findcolon()
ok = colon
m = VAL(src)
s = 0
findcolon()
IF colon > 0 : s = VAL(src) : ENDIF
IF h < 0 | h > 23 | m < 0 | m > 59 | s < 0 | s > 59 : ok = 0 : ENDIF
IF ok > 0 : ok = 1 : ENDIF
ENDFN

' The position of the first colon in src (0 if none); src becomes the text after it.
FUNC findcolon()
colon = 0
k = 0
WHILE colon = 0 & k < 255
k = k + 1
c = MSTR(src, k, 1)
IF c = ":" : colon = k : ENDIF
IF c = "" : k = 255 : ENDIF
WEND
k = colon + 1
IF colon > 0 : src = MSTR(src, k, 255) : ENDIF
ENDFN

' ---------------------------------------------------------------- drawing

FUNC redraw()
shown = now
hours = now % 3600
minutes = (now - hours * 3600) % 60
seconds = now - hours * 3600 - minutes * 60
face()
' The hands, each with its shadow: hour, minute, then the second hand in red.
a = hours - hours % 12 * 12 + minutes / 60
a = a * 0.5235988 : len = 120 : wid = 7 : tail = 18
hand()
a = minutes + seconds / 60
a = a * 0.1047198 : len = 178 : wid = 5 : tail = 22
hand()
a = seconds * 0.1047198 : len = 190 : wid = 1 : tail = 40
red = 200 : green = 30 : blue = 30
hand()
FCOLOR 200, 30, 30 : BCOLOR 200, 30, 30
CIRCLE cx, cy, 8
FCOLOR 240, 225, 180 : BCOLOR 240, 225, 180
CIRCLE cx, cy, 3
readout()
SWAP
ENDFN

' A brass rim, an ivory face, a mark for each minute and a numeral for each hour.
FUNC face()
FCOLOR 120, 90, 40 : BCOLOR 190, 150, 70
CIRCLE cx, cy, radius + 12
FCOLOR 150, 115, 50 : BCOLOR 248, 244, 230
CIRCLE cx, cy, radius
FCOLOR 40, 40, 50
i = 0
WHILE i < 60
a = i * 0.1047198
dx = SIN(a) : dy = 0 - COS(a)
len = radius - 10
k = i - i % 5 * 5
IF k = 0 : len = radius - 28 : ENDIF
wid = 0.5
IF len < radius - 20 : wid = 2 : ENDIF
mark()
i = i + 1
WEND
FCOLOR 60, 55, 70
i = 0
WHILE i < 12
i = i + 1
a = i * 0.5235988
x = cx + (radius - 50) * SIN(a) - 4
y = cy - (radius - 50) * COS(a) - 8
IF i > 9 : x = x - 4 : ENDIF
PRINT x, y, i
PRINT x + 1, y, i
WEND
FCOLOR 150, 140, 120
PRINT cx - 28, cy + 70, "BRINDLE"
ENDFN

' A mark from len to the rim, wid pixels to either side of its middle.
FUNC mark()
d = 0 - wid
WHILE d < wid | d = wid
ox = 0 - dy * d : oy = dx * d
LINE cx + dx * len + ox, cy + dy * len + oy, cx + dx * (radius - 6) + ox, cy + dy * (radius - 6) + oy
d = d + 0.5
WEND
ENDFN

' A hand at angle a (clockwise from 12), its shadow first; red, green, blue colour the
' second hand, the others are near black. It narrows from wid at the centre to its tip.
FUNC hand()
dx = SIN(a) : dy = 0 - COS(a)
hx = cx + 4 : hy = cy + 5
FCOLOR 212, 206, 190
strokes()
hx = cx : hy = cy
FCOLOR 30, 30, 40
IF wid < 2 : FCOLOR red, green, blue : ENDIF
strokes()
ENDFN

FUNC strokes()
d = 0 - wid
WHILE d < wid | d = wid
ox = 0 - dy * d : oy = dx * d
LINE hx - dx * tail + ox, hy - dy * tail + oy, hx + dx * len + ox * 0.25, hy + dy * len + oy * 0.25
d = d + 0.25
WEND
ENDFN

' The digital readout: hh:mm:ss in seven-segment digits, with the unlit segments faint.
FUNC readout()
FCOLOR 90, 100, 140 : BCOLOR 14, 16, 26
RECT 536, 92, 224, 88
ry = 112
dgx = 552 : digit = hours % 10 : segments()
dgx = 580 : digit = hours - hours % 10 * 10 : segments()
dgx = 624 : digit = minutes % 10 : segments()
dgx = 652 : digit = minutes - minutes % 10 * 10 : segments()
dgx = 696 : digit = seconds % 10 : segments()
dgx = 724 : digit = seconds - seconds % 10 * 10 : segments()
FCOLOR 255, 140, 60 : BCOLOR 255, 140, 60
RECT 609, 124, 5, 5
RECT 609, 146, 5, 5
RECT 681, 124, 5, 5
RECT 681, 146, 5, 5
ENDFN

' The digit at dgx, ry: each segment lit (bright) or not (faint) by the bits of its pattern.
FUNC segments()
bits = lit[(digit + 1)]
i = 0
WHILE i < 7
i = i + 1
FCOLOR 50, 30, 26 : BCOLOR 50, 30, 26
k = bits - bits % 2 * 2
IF k = 1 : FCOLOR 255, 140, 60 : BCOLOR 255, 140, 60 : ENDIF
bits = bits % 2
rx = dgx + sgx[i] : ry = 112 + sgy[i] : rw = sgw[i] : rh = sgh[i]
RECT rx, ry, rw, rh
WEND
ENDFN

' The line under the box tells what happened last.
FUNC status()
FCOLOR 34, 38, 56 : BCOLOR 34, 38, 56
RECT 536, 392, 240, 20
FCOLOR 255, 200, 120
PRINT 540, 394, text
ENDFN

LABEL ready
