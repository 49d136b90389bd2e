' A busy script in the window: one PSET per pixel of the canvas, each followed by the pump's
' look for events. The milliseconds it took end up as the colour of the square at the top
' left, as in window_swap.bas.
VAR x, y, t0, t1, d, r, g, b, rest
FCOLOR 200, 40, 40
GETTICK t0
WHILE y < 561
x = 0
WHILE x < 784
PSET x, y
x = x + 1
WEND
y = y + 1
WEND
GETTICK t1
d = t1 - t0
b = d % 65536
rest = d - b * 65536
g = rest % 256
r = rest - g * 256
BCOLOR r, g, b
FCOLOR r, g, b
RECT 0, 0, 10, 10
BCOLOR 1, 2, 3
FCOLOR 1, 2, 3
RECT 20, 0, 10, 10
SWAP
