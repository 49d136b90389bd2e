' IF and WHILE compare NaN, infinities and negative zero alike: a NaN is unequal to every
' value, itself included, and -0 equals 0. Each WHILE body ends its loop, so a wrong
' comparison shows as a count and never runs on.
VAR z, nz, nan, inf, ninf, one, n
z = 0 : nz = 0 - z : nan = z / z : inf = 1 / z : ninf = 0 - inf : one = 1
IF nan = nan : PRINT 1, 1, "T" : ELSE : PRINT 1, 1, "F" : ENDIF
IF nan ! nan : PRINT 1, 2, "T" : ELSE : PRINT 1, 2, "F" : ENDIF
IF nan < one : PRINT 1, 3, "T" : ELSE : PRINT 1, 3, "F" : ENDIF
IF nan > one : PRINT 1, 4, "T" : ELSE : PRINT 1, 4, "F" : ENDIF
IF one < nan : PRINT 1, 5, "T" : ELSE : PRINT 1, 5, "F" : ENDIF
IF one > nan : PRINT 1, 6, "T" : ELSE : PRINT 1, 6, "F" : ENDIF
IF nan = 0 : PRINT 1, 7, "T" : ELSE : PRINT 1, 7, "F" : ENDIF
IF nan ! 0 : PRINT 1, 8, "T" : ELSE : PRINT 1, 8, "F" : ENDIF
IF nz = z : PRINT 1, 9, "T" : ELSE : PRINT 1, 9, "F" : ENDIF
IF nz < z : PRINT 1, 10, "T" : ELSE : PRINT 1, 10, "F" : ENDIF
IF nz ! z : PRINT 1, 11, "T" : ELSE : PRINT 1, 11, "F" : ENDIF
IF inf > 10000000000 : PRINT 1, 12, "T" : ELSE : PRINT 1, 12, "F" : ENDIF
IF ninf < inf : PRINT 1, 13, "T" : ELSE : PRINT 1, 13, "F" : ENDIF
IF inf = inf : PRINT 1, 14, "T" : ELSE : PRINT 1, 14, "F" : ENDIF
IF inf = inf + 1 : PRINT 1, 15, "T" : ELSE : PRINT 1, 15, "F" : ENDIF
IF nan < one | nan > one : PRINT 1, 16, "T" : ELSE : PRINT 1, 16, "F" : ENDIF
IF nan ! nan & one = 1 : PRINT 1, 17, "T" : ELSE : PRINT 1, 17, "F" : ENDIF
IF nan = nan | nan ! nan & nz = z : PRINT 1, 18, "T" : ELSE : PRINT 1, 18, "F" : ENDIF
n = 0
WHILE nan = nan
n = n + 1 : nan = 0
WEND
nan = z / z
WHILE nan ! nan
n = n + 10 : nan = 0
WEND
nan = z / z
WHILE nan > one
n = n + 100 : nan = 0
WEND
nan = z / z
WHILE nan < one
n = n + 1000 : nan = 0
WEND
nan = z / z
WHILE one > nan | one < nan
n = n + 10000 : nan = 0
WEND
nan = z / z
WHILE nan ! 0 & one = 1
n = n + 100000 : nan = 0
WEND
PRINT 2, 1, n
n = 0
WHILE nz = z
n = n + 1 : nz = 1
WEND
WHILE inf > one
n = n + 10 : inf = 0
WEND
WHILE ninf < one & inf < one
n = n + 100 : ninf = 1
WEND
WHILE ninf > 1 | nz ! z
n = n + 1000 : nz = 0
WEND
PRINT 2, 2, n
