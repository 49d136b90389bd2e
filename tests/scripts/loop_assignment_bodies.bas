' Loops whose whole body is assignments: heads with one or two comparisons, a variable or a
' number on the right, NaN operands; nested loops; element stores; a statement on the line
' after WEND; a loop left at once.
VAR i, j, n, s, t, zero, nan, a[16]
WHILE i < 10
i = i + 1
s = s + i * 2 - 1
WEND
PRINT 0, 0, s
i = 0 : j = 5
WHILE i < 8 & j > 0
i = i + 1 : j = j - 0.5
a[i] = a[i] + j
WEND
n = a[1] + a[8] : PRINT 0, 20, n
PRINT 100, 20, i
i = 0
WHILE i > 3 | j < 2
i = i + 1 : j = j + 1
WEND
PRINT 0, 40, j
nan = zero / zero : i = 0
WHILE nan < 1 | i < 3
i = i + 1
WEND
PRINT 0, 60, i
WHILE nan ! i
nan = i
WEND
PRINT 0, 80, nan
i = 0 : t = 0
WHILE i < 4
i = i + 1 : j = 0
WHILE j < i
j = j + 1 : t = t + j
WEND
WEND : s = 7
PRINT 0, 100, t
PRINT 100, 100, s
WHILE i < 0
i = 100
WEND
PRINT 0, 120, i
