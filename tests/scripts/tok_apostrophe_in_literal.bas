STR s
s = "x'y"
PRINT "x'y"
