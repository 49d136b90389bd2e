VAR x, y
x = 3 : y = 5
IF x > y
IF x < y
PRINT 0, 1, "inner"
ENDIF
PRINT 0, 1, "after inner endif"
ENDIF
IF x < y
IF x > y
PRINT 0, 2, "no"
ENDIF
PRINT 0, 2, "A"
ELSE
PRINT 0, 2, "B"
ENDIF
IF x > y
IF x < y
PRINT 0, 3, "p"
ELSE
PRINT 0, 3, "q"
ENDIF
PRINT 0, 3, "r"
ENDIF
IF x < y
IF x = 3
PRINT 0, 4, "c"
ELSE
PRINT 0, 4, "d"
ENDIF
PRINT 0, 4, "e"
ELSE
PRINT 0, 4, "f"
ENDIF
IF x = 3
PRINT 0, 5, "true branch"
ELSE
PRINT 0, 5, "else branch"
ENDIF
IF x = 4
PRINT 0, 6, "true branch"
ELSE
PRINT 0, 6, "else branch"
ENDIF
IF x = 4
PRINT 0, 7, "skipped"
ENDIF
PRINT 0, 7, "after"
IF x = 3 : x = 10 : ENDIF : PRINT 0, 8, x
if X = 10
Print 0, 9, "lower case keywords"
endif
IF x = 99
PRINT 0, 10, "ENDIF"
ELSE
PRINT 0, 10, "else taken"
ENDIF
