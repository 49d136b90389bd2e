' Drawing: 439,824 PSETs covering the canvas, 10,000 LINEs, 1,000 PRINTs, 100 SWAPs.
VAR x, y, i
FCOLOR 200, 40, 40
WHILE y < 561
x = 0
WHILE x < 784
PSET x, y
x = x + 1
WEND
y = y + 1
WEND
FCOLOR 255, 255, 255
i = 0
WHILE i < 10000
i = i + 1
LINE i - INT(i / 700) * 700, 0, 700 - i + INT(i / 700) * 700, 560
WEND
FCOLOR 0, 0, 0
i = 0
WHILE i < 1000
i = i + 1
PRINT 10, i - INT(i / 30) * 30 * 16, i
WEND
i = 0
WHILE i < 100
i = i + 1
SWAP
WEND
