' A sky full of stars, drawn by a loop.
VAR count, x, y
STR text
WCOLOR 20, 30, 70
FCOLOR 255, 230, 120
BCOLOR 255, 230, 120
count = 0
WHILE count < 40
count = count + 1
x = RAND(760) + 12
y = RAND(460) + 50
CIRCLE x, y, 3
WEND
text = "Stars in the sky: " + STRS(count)
PRINT 16, 12, text
SWAP
