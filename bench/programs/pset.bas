' 4,398,240 PSET statements: ten passes over every pixel of the canvas.
VAR x, y, pass
FCOLOR 200, 40, 40
WHILE pass < 10
pass = pass + 1
y = 0
WHILE y < 561
x = 0
WHILE x < 784
PSET x, y
x = x + 1
WEND
y = y + 1
WEND
WEND
SWAP
