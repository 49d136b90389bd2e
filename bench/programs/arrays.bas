' 20,480,000 array element reads and writes: 5,000 sweeps over all 4,096 cells.
VAR a[4096], i, j, n
WHILE j < 5000
j = j + 1
i = 0
WHILE i < 4096
i = i + 1
a[i] = a[i] + i
WEND
WEND
n = a[4096]
PRINT 0, 0, n
