' Shapes and colours: boxes, circles, lines, a pen that draws, and text.
VAR x, i, fade
WCOLOR 250, 250, 245
FCOLOR 30, 30, 30
BCOLOR 70, 130, 200
RECT 40, 40, 200, 120
BCOLOR 230, 90, 60
CIRCLE 420, 100, 60
BCOLOR 250, 200, 40
RECT 560, 40, 180, 120
FCOLOR 20, 140, 60
WHILE i < 16
i = i + 1
LINE 40, 200, 40 + i * 44, 380
WEND
FCOLOR 120, 40, 160
PLOT 560, 380
DRAW 650, 200
DRAW 740, 380
DRAW 560, 380
FCOLOR 30, 30, 30
PRINT 40, 420, "Shapes and colours"
x = 0
WHILE x < 256
fade = 255 - x
FCOLOR x, fade, 128
LINE 40 + x * 2, 460, 40 + x * 2, 500
LINE 41 + x * 2, 460, 41 + x * 2, 500
x = x + 1
WEND
SWAP
