STR t, r
VAR k
PTR p
t = "Hello"
k = 0 - 2147483648
r = RSTR(t, k)
PRINT 0, 1, r
p = k
r = RSTR(t, p)
PRINT 0, 2, r
k = 0 / 0
r = RSTR(t, k)
PRINT 0, 3, r
k = 1 / 0
r = RSTR(t, k)
PRINT 0, 4, r
k = 0 - 1 / 0
r = RSTR(t, k)
PRINT 0, 5, r
k = 2147483647
r = RSTR(t, k)
PRINT 0, 6, r
k = 2
r = RSTR(t, k)
PRINT 0, 7, r
