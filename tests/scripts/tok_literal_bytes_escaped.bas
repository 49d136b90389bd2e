PRINT "a	b\ÿ"
