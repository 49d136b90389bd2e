VAR v, a[3]
PTR p, pp[2]
STR s, t[3], u
v = 2.5 : p = 7 : s = "text"
a[1] = 1.5 : t[1] = "el" : pp[1] = 5
PRINT 0, 1, 2.50
PRINT 0, 2, v
PRINT 0, 3, p
PRINT 0, 4, s
PRINT 0, 5, "lit"
PRINT 0, 6, (v * 2)
PRINT 0, 7, v * 2
PRINT 0, 8, a[1]
PRINT 0, 9, t[1]
PRINT 0, 10, pp[1]
PRINT 0, 11, a[1] + 1
PRINT 0, 12, (a[1] * 2)
PRINT 0, 13, 1.2.3
PRINT 0, 14, ""
PRINT 0, 15, "it's"
PRINT 0, 16, "a\b"
PRINT 0, 17, "	xé"
u = "a" + CHRS 10 : PRINT 0, 18, u
u = CHRS 13 : PRINT 0, 19, u
PRINT 2.5, 3.5, v
PRINT 1 + 2, 4 * 2, v
PRINT v, -7, v
PRINT 100000, (0 - 3.5), p
PRINT a[1], pp[1], "elements as coordinates"
PRINT (0 / 0), 10000000000, v
