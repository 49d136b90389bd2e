' "^" with an infinity or a NaN: the magnitude is 2 ^ (b * log2 |r|), so 0 * inf gives NaN.
VAR inf
VAR nan
VAR one
inf = 1 / 0
nan = 0 / 0
one = 1
PRINT 0, 0, (inf ^ 0)
PRINT 0, 0, (nan ^ 0)
PRINT 0, 0, (one ^ inf)
PRINT 0, 0, ((0 - 1) ^ inf)
PRINT 0, 0, (2 ^ inf)
PRINT 0, 0, (0.5 ^ inf)
PRINT 0, 0, (2 ^ (0 - inf))
PRINT 0, 0, (inf ^ 2)
PRINT 0, 0, ((0 - inf) ^ 3)
PRINT 0, 0, (0 ^ inf)
PRINT 0, 0, (0 ^ nan)
PRINT 0, 0, (3 ^ 2)
