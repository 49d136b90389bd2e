STR t, u
t = "Hello"
u = MSTR(t, 2, 3) : PRINT 0, 1, u
u = MSTR(t, -2, 5)
PRINT 0, 2, u
