' 439,824 PSET statements, one per pixel of the canvas.
VAR x, y
FCOLOR 200, 40, 40
WHILE y < 561
x = 0
WHILE x < 784
PSET x, y
x = x + 1
WEND
y = y + 1
WEND
SWAP
