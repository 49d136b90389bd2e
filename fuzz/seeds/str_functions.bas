STR t, u, e
VAR k
PTR q
t = "Hello"
q = 3
u = LSTR(t, 2) : PRINT 0, 1, u
u = RSTR(t, 3) : PRINT 0, 2, u
u = RSTR(t, 0) : PRINT 0, 3, u
u = MSTR(t, 2, 3) : PRINT 0, 4, u
u = MSTR(t, 0, 2) : PRINT 0, 5, u
u = MSTR(t, 9, 2) : PRINT 0, 6, u
u = LSTR(t, 9) : PRINT 0, 7, u
u = LSTR(t, 0) : PRINT 0, 8, u
u = RSTR(t, 9) : PRINT 0, 9, u
u = RSTR(t, 5) : PRINT 0, 10, u
u = RSTR(t, 4) : PRINT 0, 11, u
u = MSTR(t, 5, 1) : PRINT 0, 12, u
u = MSTR(t, 6, 1) : PRINT 0, 13, u
u = MSTR(t, 2, 0) : PRINT 0, 14, u
u = MSTR(t, 3, 99) : PRINT 0, 15, u
u = LSTR(t, q) : PRINT 0, 16, u
u = LSTR(t, 2.5) : PRINT 0, 17, u
u = LSTR(t, 3.5) : PRINT 0, 18, u
u = LSTR(t, 2 * 3) : PRINT 0, 19, u
u = LSTR(t, e) : PRINT 0, 20, u
u = LSTR("Hello", 2) : PRINT 0, 21, u
u = LSTR(e, 3) : PRINT 0, 22, u
u = LSTR(t, -2) : PRINT 0, 23, u
u = LSTR(t) : PRINT 0, 24, u
u = MSTR(t, 2) : PRINT 0, 25, u
u = "ab" + LSTR(t, 2) : PRINT 0, 26, u
u = LSTR(t, 2) + "x" : PRINT 0, 27, u
u = RSTR(t, 2) + t : PRINT 0, 28, u
u = t + RSTR(t, 2) : PRINT 0, 29, u
k = -2 : u = MSTR(t, k, 5) : PRINT 0, 30, u
k = -2 : u = LSTR(t, k) : PRINT 0, 31, u
k = -2 : u = MSTR(t, 2, k) : PRINT 0, 32, u
k = -2 : u = RSTR(t, k) : PRINT 0, 33, u
k = -1 : u = MSTR(t, k, 1) : PRINT 0, 34, u
k = -9 : u = MSTR(t, k, 2) : PRINT 0, 35, u
k = 2.5 : u = MSTR(t, k, k) : PRINT 0, 36, u
