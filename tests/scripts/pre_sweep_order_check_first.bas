PRINT "a", zz
