' A sprite from a bundled picture: black pixels are left out, so the sky shows through.
PTR face
VAR x, y, i
WCOLOR 90, 160, 220
BCOLOR 60, 140, 60
FCOLOR 60, 140, 60
RECT 0, 440, 784, 121
LOADIMG face, "smiley.bmp", 0, 0, 0, 16
WHILE i < 12
i = i + 1
x = i * 56
y = 420 - i * 20
SHOWIMGT face, x, y, 16, 16
WEND
PTR big
LOADIMG big, "smiley.bmp", 0, 64, 64, 16
SHOWIMG big, 40, 60, 64, 64
FCOLOR 255, 255, 255
PRINT 120, 84, "LOADIMG scales the picture to 64 x 64"
SWAP
