VAR a
a = RAND(100) : PRINT 0, 1, a
a = RAND(100) : PRINT 0, 2, a
a = RAND(100) : PRINT 0, 3, a
