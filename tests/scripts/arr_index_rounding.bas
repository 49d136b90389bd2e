' Element reads round a variable or number index half to even, as every index is rounded; a
' NaN or infinite index addresses nothing and reads 0.
VAR a[8], i, n, zero
PTR q[8]
a[1] = 10 : a[2] = 20 : a[3] = 30 : a[4] = 40
q[1] = 1 : q[2] = 2 : q[3] = 3 : q[4] = 4
i = 1.5 : n = a[i] : PRINT 0, 1, n
i = 2.5 : n = a[i] + q[i] : PRINT 0, 2, n
i = 3.5 : PRINT 0, 3, a[i]
i = 0.5 : n = a[i] : PRINT 0, 4, n
i = 4.49 : n = q[i] : PRINT 0, 5, n
n = a[2.5] + q[3.5] : PRINT 0, 6, n
n = a[0.5] + q[1.5] : PRINT 0, 7, n
i = zero / zero : n = a[i] + q[i] + 1 : PRINT 0, 8, n
i = 1 / zero : n = a[i] + 1 : PRINT 0, 9, n
i = 0 - 1 / zero : n = q[i] + 1 : PRINT 0, 10, n
