' Pictures from a file: star.bmp is a yellow star, 24 x 24 pixels, on black.
PTR star, big
VAR x, y
WCOLOR 20, 30, 70
LOADIMG star, "star.bmp", 0, 0, 0, 16
' Black pixels are not drawn, so the sky shows round the star.
x = 40
WHILE x < 744
y = 60 + RAND(80)
SHOWIMGT star, x, y, 24, 24
x = x + 48
WEND
' Loaded at 96 x 96, the same picture is four times as large.
LOADIMG big, "star.bmp", 0, 96, 96, 16
SHOWIMGT big, 344, 240, 96, 96
FCOLOR 255, 255, 255
PRINT 316, 352, "star.bmp at 96 x 96"
SWAP
