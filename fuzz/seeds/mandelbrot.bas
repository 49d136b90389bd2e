' The Mandelbrot set, one PSET per pixel, in a 360 x 240 frame.
VAR px, py, x0, y0, x, y, t, n, red, green, blue
WCOLOR 16, 16, 32
WHILE py < 240
px = 0
WHILE px < 360
x0 = px / 360 * 3 - 2.2
y0 = py / 240 * 2 - 1
x = 0
y = 0
n = 0
t = 0
WHILE t < 4 & n < 40
t = x * x - y * y + x0
y = 2 * x * y + y0
x = t
t = x * x + y * y
n = n + 1
WEND
IF n = 40
FCOLOR 0, 0, 0
ELSE
red = n * 6
green = n * 3
blue = 255 - n * 6
FCOLOR red, green, blue
ENDIF
PSET 212 + px, 160 + py
px = px + 1
WEND
py = py + 1
WEND
FCOLOR 230, 230, 230
PRINT 212, 410, "The Mandelbrot set"
SWAP
