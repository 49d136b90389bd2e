VAR x, c, i, d
f()
PRINT 0, 1, x
f() : f() : PRINT 0, 2, x
GOTO Fwd
PRINT 0, 3, "skipped by goto"
LABEL fwd
c = c + 1
IF c < 3 : GOTO FWD : ENDIF
PRINT 0, 3, c
FUNC f()
x = x + 1
ENDFN PRINT 0, 4, "not shown"
PRINT 0, 4, "after def"
FUNC outer()
d = d + 1
FUNC inner()
d = d + 100
ENDFN
d = d + 10
ENDFN
PRINT 0, 5, d
d = 0 : outer()
PRINT 0, 6, d
inner()
PRINT 0, 7, d
c = 0
FOR i = 1 TO 3
c = c + 1
NEXT i
PRINT 0, 8, i
PRINT 0, 8, c
FOR i = 10 TO 1 STEP -1
NEXT
PRINT 0, 9, i
d = 0
r()
PRINT 0, 10, d
GOTO dup
PRINT 0, 11, "skipped"
LABEL dup
PRINT 0, 11, "at first dup"
GOTO endd
LABEL dup
PRINT 0, 11, "at second dup"
LABEL endd
FUNC g()
PRINT 0, 12, "ENDFN"
ENDFN
g()
FUNC r()
d = d + 1
IF d < 1024 : r() : ENDIF
ENDFN
