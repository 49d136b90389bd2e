PTR img, big, none, noflag
STR f
VAR xn, yn
WCOLOR 100, 100, 100
LOADIMG img, "gfx_img.bmp", 0, 0, 0, 16
SHOWIMG img, 10, 10, 5, 4
SHOWIMGT img, 30, 10, 100, 100
SHOWIMGT img, 50, 10, 2, 2
SHOWIMG img, 780, 558, 5, 4
xn = -2
yn = -1
SHOWIMGT img, xn, yn, 5, 4
f = "gfx_img.bmp"
LOADIMG big, f, 0, 10, 8, 16
SHOWIMG big, 70, 10, 10, 8
LOADIMG none, "gfx_missing.bmp", 0, 0, 0, 16
SHOWIMG none, 100, 10, 5, 4
LOADIMG noflag, "gfx_img.bmp", 0, 0, 0, 0
SHOWIMG noflag, 120, 10, 5, 4
PRINT 600, 500, none
PRINT 600, 520, noflag
SWAP
