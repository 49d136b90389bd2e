VAR d
PRINT 0, 1, "start"
r()
PRINT 0, 2, "not reached"
FUNC r()
d = d + 1
IF d < 1025 : r() : ENDIF
ENDFN
