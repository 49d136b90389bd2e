STR s, t, u
VAR x, z
PTR pq
x = 2.5
z = -0
s = "abc"
t = s
s = "zzz"
u = "ab" + "cd" : PRINT 0, 1, u
u = + "x" : PRINT 0, 2, u
u = "n=" + STRS(x) : PRINT 0, 3, u
u = STRS(1 / 3) : PRINT 0, 4, u
u = STRS(1) + 2 : PRINT 0, 5, u
u = STRS(x) + "a" : PRINT 0, 6, u
u = STRS(2) + "5x" : PRINT 0, 7, u
u = STRS(z) : PRINT 0, 8, u
u = STRS(10000000000 * 10000000000) : PRINT 0, 9, u
u = CHRS 65 + "B" : PRINT 0, 10, u
u = CHRS 321 : PRINT 0, 11, u
u = "x" + CHRS(66) : PRINT 0, 12, u
u = CHRS(0 - 191) : PRINT 0, 13, u
u = CHRS 65.5 : PRINT 0, 14, u
u = CHRS 0 : PRINT 0, 15, u
u = "<" + CHRS 9 : PRINT 0, 16, u
u = CHRS 200 : PRINT 0, 17, u
u = "a" + x + "b" : PRINT 0, 18, u
u = x : PRINT 0, 19, u
u = "" + "" : PRINT 0, 20, u
u = s + s + t : PRINT 0, 21, u
u = t + "-" + t : PRINT 0, 22, u
u = t + "" + t : PRINT 0, 23, u
u = "a" + pq + "b" : PRINT 0, 24, u
u = "a" "+" "b" : PRINT 0, 25, u
u = "kept"
u = "a" + 5
PRINT 0, 26, u
