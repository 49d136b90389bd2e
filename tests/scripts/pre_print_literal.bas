VAR x
PRINT x
PRINT 5
PRINT (x+1)
print "hello"
