VAR x
PRINT 0, 1, "start"
Gee(x)
PRINT 0, 2, "not reached"
