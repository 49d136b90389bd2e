VAR x, y, z
STR s, t, c, e, w
PTR p
VAR a[3]
STR sa[3]
x = 3 : y = 5 : z = 0 : p = 7
s = "abc" : t = "abc" : c = "ABC" : w = "x"
a[1] = 7 : sa[1] = "q" : sa[2] = "abc"
IF x < y : PRINT 0, 1, "T" : ELSE : PRINT 0, 1, "F" : ENDIF
IF x > y : PRINT 0, 2, "T" : ELSE : PRINT 0, 2, "F" : ENDIF
IF x ! y : PRINT 0, 3, "T" : ELSE : PRINT 0, 3, "F" : ENDIF
IF x ! 3 : PRINT 0, 4, "T" : ELSE : PRINT 0, 4, "F" : ENDIF
IF x = 3 : PRINT 0, 5, "T" : ELSE : PRINT 0, 5, "F" : ENDIF
IF x > 2 * y : PRINT 0, 6, "T" : ELSE : PRINT 0, 6, "F" : ENDIF
IF x < 2 * y : PRINT 0, 7, "T" : ELSE : PRINT 0, 7, "F" : ENDIF
IF y < y + 1 : PRINT 0, 8, "T" : ELSE : PRINT 0, 8, "F" : ENDIF
IF x = 3.4 : PRINT 0, 9, "T" : ELSE : PRINT 0, 9, "F" : ENDIF
IF s = t : PRINT 0, 10, "T" : ELSE : PRINT 0, 10, "F" : ENDIF
IF s ! t : PRINT 0, 11, "T" : ELSE : PRINT 0, 11, "F" : ENDIF
IF s < t : PRINT 0, 12, "T" : ELSE : PRINT 0, 12, "F" : ENDIF
IF s > t : PRINT 0, 13, "T" : ELSE : PRINT 0, 13, "F" : ENDIF
IF s = c : PRINT 0, 14, "T" : ELSE : PRINT 0, 14, "F" : ENDIF
IF e = w : PRINT 0, 15, "T" : ELSE : PRINT 0, 15, "F" : ENDIF
IF e ! w : PRINT 0, 16, "T" : ELSE : PRINT 0, 16, "F" : ENDIF
IF s = "abc" : PRINT 0, 17, "T" : ELSE : PRINT 0, 17, "F" : ENDIF
IF s ! "abc" : PRINT 0, 18, "T" : ELSE : PRINT 0, 18, "F" : ENDIF
IF s = "ab" + "c" : PRINT 0, 19, "T" : ELSE : PRINT 0, 19, "F" : ENDIF
IF s = "ABC" : PRINT 0, 20, "T" : ELSE : PRINT 0, 20, "F" : ENDIF
IF x = (1 + 2) : PRINT 0, 21, "T" : ELSE : PRINT 0, 21, "F" : ENDIF
IF x = (1 + 3) : PRINT 0, 22, "T" : ELSE : PRINT 0, 22, "F" : ENDIF
IF x = "3" : PRINT 0, 23, "T" : ELSE : PRINT 0, 23, "F" : ENDIF
IF x = "abc" : PRINT 0, 24, "T" : ELSE : PRINT 0, 24, "F" : ENDIF
IF s = x : PRINT 0, 25, "T" : ELSE : PRINT 0, 25, "F" : ENDIF
IF s = z : PRINT 0, 26, "T" : ELSE : PRINT 0, 26, "F" : ENDIF
IF x = s : PRINT 0, 27, "T" : ELSE : PRINT 0, 27, "F" : ENDIF
IF z = s : PRINT 0, 28, "T" : ELSE : PRINT 0, 28, "F" : ENDIF
IF s = 0 : PRINT 0, 29, "T" : ELSE : PRINT 0, 29, "F" : ENDIF
IF s = 5 : PRINT 0, 30, "T" : ELSE : PRINT 0, 30, "F" : ENDIF
IF x < y & y < x | x = x : PRINT 0, 31, "T" : ELSE : PRINT 0, 31, "F" : ENDIF
IF x < y | x = x & y < x : PRINT 0, 32, "T" : ELSE : PRINT 0, 32, "F" : ENDIF
IF y < x & x = x | x = x : PRINT 0, 33, "T" : ELSE : PRINT 0, 33, "F" : ENDIF
IF x < y & x = 3 : PRINT 0, 34, "T" : ELSE : PRINT 0, 34, "F" : ENDIF
IF x < y & x = 4 : PRINT 0, 35, "T" : ELSE : PRINT 0, 35, "F" : ENDIF
IF x > y | x = 3 : PRINT 0, 36, "T" : ELSE : PRINT 0, 36, "F" : ENDIF
IF x > y | x = 4 : PRINT 0, 37, "T" : ELSE : PRINT 0, 37, "F" : ENDIF
IF p = 7 : PRINT 0, 38, "T" : ELSE : PRINT 0, 38, "F" : ENDIF
IF p > 7 : PRINT 0, 39, "T" : ELSE : PRINT 0, 39, "F" : ENDIF
IF a[1] = 7 : PRINT 0, 40, "T" : ELSE : PRINT 0, 40, "F" : ENDIF
IF a[2] = 7 : PRINT 0, 41, "T" : ELSE : PRINT 0, 41, "F" : ENDIF
IF sa[1] = "q" : PRINT 0, 42, "T" : ELSE : PRINT 0, 42, "F" : ENDIF
IF s = sa[1] : PRINT 0, 43, "T" : ELSE : PRINT 0, 43, "F" : ENDIF
IF s = sa[2] : PRINT 0, 44, "T" : ELSE : PRINT 0, 44, "F" : ENDIF
IF x = sa[2] : PRINT 0, 45, "T" : ELSE : PRINT 0, 45, "F" : ENDIF
IF z = sa[2] : PRINT 0, 46, "T" : ELSE : PRINT 0, 46, "F" : ENDIF
IF x = a[1] - 4 : PRINT 0, 47, "T" : ELSE : PRINT 0, 47, "F" : ENDIF
IF e = ("x") : PRINT 0, 48, "T" : ELSE : PRINT 0, 48, "F" : ENDIF
IF s = ("abc") : PRINT 0, 49, "T" : ELSE : PRINT 0, 49, "F" : ENDIF
IF x > y | x > y | 5 = 5 : PRINT 0, 50, "T" : ELSE : PRINT 0, 50, "F" : ENDIF
IF x > y | x > y | x + 1 = 4 : PRINT 0, 51, "T" : ELSE : PRINT 0, 51, "F" : ENDIF
IF sa[1] = "q" & x = 4 : PRINT 0, 52, "T" : ELSE : PRINT 0, 52, "F" : ENDIF
IF sa[1] = "q" & x = 3 : PRINT 0, 53, "T" : ELSE : PRINT 0, 53, "F" : ENDIF
