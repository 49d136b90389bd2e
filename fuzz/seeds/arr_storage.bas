VAR a[5], b[5]
STR s[5]
PTR q[5]
VAR c5[2], c6[2], c7[2], c8[2], c9[2], c10[2], c11[2], c12[2], c13[2], c14[2], c15[2], c16[2]
STR z[5]
PTR zp[5]
VAR zz[5]
VAR i, x
PTR pi
STR u
a[1] = 10 : b[1] = 11 : s[1] = "one" : q[1] = 2.5
PRINT 0, 1, a[1]
PRINT 0, 2, b[1]
PRINT 0, 3, s[1]
PRINT 0, 4, q[1]
q[2] = 3.5 : PRINT 0, 5, q[2]
a[4096] = 1 : PRINT 0, 6, a[4096]
a[20] = 20 : PRINT 0, 7, a[20]
a[0] = 5 : PRINT 0, 8, a[0]
a[4097] = 6 : PRINT 0, 9, a[4097]
PRINT 0, 9, b[1]
i = -1 : a[i] = 9 : PRINT 0, 10, a[i]
c16[1] = 16 : PRINT 0, 11, c16[1]
z[1] = "lost" : PRINT 0, 12, z[1]
zp[1] = 3 : PRINT 0, 13, zp[1]
zz[1] = 4 : PRINT 0, 14, zz[1]
z = "scalar" : PRINT 0, 15, z
i = 1 : a[2] = 20
x = a[i+1] : PRINT 0, 16, x
x = a[(i+1)] : PRINT 0, 17, x
a[i+1] = 7 : PRINT 0, 18, a[2]
a[(i)] = 99 : PRINT 0, 19, a[1]
a[2.5] = 25 : PRINT 0, 20, a[2]
x = a[2.5] : PRINT 0, 21, x
pi = 3 : a[pi] = 33 : PRINT 0, 22, a[3]
a[a[1]] = 5 : PRINT 0, 23, a[10]
s[2] = "x" + "y" : PRINT 0, 24, s[2]
u = "keep" : s[3] = u : u = "changed" : PRINT 0, 25, s[3]
u = s[1] + "!" : PRINT 0, 26, u
u = s[i] : PRINT 0, 27, u
x = a[1] + a[2] * 2 : PRINT 0, 28, x
x = q[1] + q[2] : PRINT 0, 29, x
b[4096] = 8 : a[4096] = 2 : PRINT 0, 30, b[4096]
a[ABS 3] = 5 : PRINT 0, 31, a[3]
a[i]
x = 77
PRINT 0, 32, x
PRINT 0, 32, a[i]
