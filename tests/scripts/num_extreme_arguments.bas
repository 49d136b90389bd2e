' NaN, infinities, the most negative integer and the largest floats in every argument
' position: nothing may crash, and whatever is drawn is clipped.
VAR nan, inf, ninf, imin, big, i, t
PTR p, q, box
PTR pa[4]
VAR va[4]
STR s, r
STR sa[4]
nan = 0 / 0
inf = 1 / 0
ninf = 0 - inf
imin = 0 - 2147483648
big = 3.4 * 10 ^ 38
s = "Hello"
PSET nan, inf
PSET imin, imin
PSET big, ninf
LINE nan, nan, inf, ninf
LINE imin, imin, big, big
LINE 0, 0, imin, 5
PLOT imin, big
DRAW ninf, nan
DRAW big, imin
CIRCLE nan, inf, big
CIRCLE 10, 10, imin
CIRCLE imin, imin, big
RECT nan, inf, ninf, imin
RECT imin, imin, big, big
RECT 10, 10, imin, imin
WCOLOR nan, inf, imin
FCOLOR big, ninf, nan
BCOLOR imin, big, inf
PRINT nan, inf, imin
PRINT imin, big, ninf
PRINT big, imin, s
p = nan
q = imin
va[imin] = 1
va[nan] = 2
pa[inf] = 3
sa[big] = s
i = va[imin] + pa[nan] + va[ninf]
r = sa[imin]
r = LSTR(s, imin)
PRINT 0, 0, r
r = LSTR(s, nan)
PRINT 0, 1, r
r = RSTR(s, imin)
PRINT 0, 2, r
r = RSTR(s, inf)
PRINT 0, 3, r
r = MSTR(s, imin, imin)
PRINT 0, 4, r
r = MSTR(s, nan, big)
PRINT 0, 5, r
r = MSTR(s, big, nan)
PRINT 0, 6, r
r = MSTR(s, imin, big)
PRINT 0, 7, r
r = CHRS imin
r = CHRS nan
r = STRS(imin)
PRINT 0, 8, r
r = STRS(nan)
PRINT 0, 9, r
i = RAND(imin) + RAND(nan) + RAND(inf) + RAND(big)
i = INT(nan) + INT(big) + ROUND(inf) + FRAC(ninf) + SQR(ninf) + LOG(imin)
i = imin % 0 + big % nan + nan ^ nan + imin ^ imin + big * big
i = SIN(inf) + COS(nan) + TAN(big) + ATAN(ninf) + ABS(imin)
PRINT 0, 10, i
LOADIMG p, "gfx_img.bmp", imin, imin, imin, imin
LOADIMG p, "gfx_img.bmp", 0, big, big, 16
LOADIMG p, "gfx_img.bmp", 0, nan, inf, 16
LOADIMG q, "gfx_img.bmp", 0, 0, 0, 16
SHOWIMG q, imin, imin, big, big
SHOWIMGT q, nan, inf, imin, imin
SHOWIMG q, big, big, nan, nan
SHOWIMGT q, 0, 0, imin, big
TIMERON imin
TIMERON nan
TIMERON big
TIMEROFF
INPUTBOX box, imin, imin, big, big, s
INPUTBOX box, nan, inf, ninf, nan, s
SETTEXT box, s
GETTEXT box, r
PRINT 0, 11, r
SETFOCUS box
SWAP
