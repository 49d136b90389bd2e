' RSTR and MSTR with a count or start just past the text's length: the whole text, or nothing.
STR t, u
VAR k
t = "Hello"
u = RSTR(t, 6) : PRINT 0, 0, u
u = RSTR(t, 7) : PRINT 0, 1, u
u = MSTR(t, 6, 2) : PRINT 0, 2, u
k = 0 - 6 : u = MSTR(t, k, 2) : PRINT 0, 3, u
u = LSTR(t, 6) : PRINT 0, 4, u
