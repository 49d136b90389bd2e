' 1,000,000 array element reads and writes: 250 sweeps over 4,000 cells.
VAR a[4096], i, j, n
WHILE j < 250
j = j + 1
i = 0
WHILE i < 4000
i = i + 1
a[i] = a[i] + i
WEND
WEND
n = a[4000]
PRINT 0, 0, n
