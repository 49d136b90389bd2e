' Merged assignments where one copies the variable that the one before it stored, or stores
' a variable into itself: each store still happens.
VAR a, b, c, d
b = 5
a = b + 1 : c = a
d = c * 2 : d = d : b = d
PRINT 0, 0, a
PRINT 0, 1, c
PRINT 0, 2, d
PRINT 0, 3, b
