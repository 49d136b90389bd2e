' Comparisons that read PTR variables and array elements, "!" among them (a PTR variable
' compares as its whole number), and STR variables compared with a literal beside a
' comparison of two texts.
VAR a[3], x
PTR p
STR s, t, u
x = 2 : p = 2 : a[1] = 7
IF x ! p : PRINT 0, 0, "T" : ELSE : PRINT 0, 0, "F" : ENDIF
IF a[1] ! x : PRINT 0, 1, "T" : ELSE : PRINT 0, 1, "F" : ENDIF
x = 2.5
IF x ! p : PRINT 0, 2, "T" : ELSE : PRINT 0, 2, "F" : ENDIF
IF a[1] ! p | x ! x : PRINT 0, 3, "T" : ELSE : PRINT 0, 3, "F" : ENDIF
s = "ab" : t = "cd" : u = "cd"
IF s = "ab" & t = u : PRINT 0, 4, "T" : ELSE : PRINT 0, 4, "F" : ENDIF
IF s ! "ab" | t ! u : PRINT 0, 5, "T" : ELSE : PRINT 0, 5, "F" : ENDIF
IF s = "ab" & t ! u : PRINT 0, 6, "T" : ELSE : PRINT 0, 6, "F" : ENDIF
u = "c"
IF t = u + "d" & s ! "ba" : PRINT 0, 7, "T" : ELSE : PRINT 0, 7, "F" : ENDIF
