VAR x = 5
PRINT 0, 1, x
PTR p = 5
PRINT 0, 2, p
PTR q = 2.5, r = 3.5
PRINT 0, 3, q
PRINT 0, 4, r
STR s = "abc"
PRINT 0, 5, s
PTR pa[3]
x = 7
PRINT 0, 6, x
x
PRINT 0, 7, x
p = -2.5 : PRINT 0, 8, p
p = 2.7 : PRINT 0, 9, p
p = -2.7 : PRINT 0, 10, p
p = 10000000000 : PRINT 0, 11, p
p = 1 / 0 : PRINT 0, 12, p
p = 0 / 0 : PRINT 0, 13, p
VAR mx, my, w, hx
PTR pw, pm
mx = 5 : my = 6 : w = 7 : pw = 8 : pm = 9 : hx = 4
MOUSEX mx
MOUSEY my
HWPARAM w
HWPARAM pw
MOUSEX pm
HLPARAM hx
PRINT 0, 14, mx
PRINT 0, 15, my
PRINT 0, 16, w
PRINT 0, 17, pw
PRINT 0, 18, pm
PRINT 0, 19, hx
VAR lc
LABEL again
PTR pr = 5
pr = pr + 1
lc = lc + 1
IF lc < 3 : GOTO again : ENDIF
PRINT 0, 23, pr
PRINT 0, 23, lc
VAR vv : vv = 3 : PRINT 0, 24, vv
p = "12" : PRINT 0, 25, p
x = "abc" : PRINT 0, 26, x
x = "7" : PRINT 0, 27, x
x = + 5 : PRINT 0, 28, x
x = : PRINT 0, 29, x
x = 1
WINMSG WMKEYDOWN
x = x + 1
PRINT 0, 20, x
ENDWM
PRINT 0, 21, "never"
WINMSG WMTIMER
PRINT 0, 22, "never either"
ENDWM
