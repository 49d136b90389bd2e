' An element updated by its own value (a[i] = a[i] op x) is one step when compiled: it must
' give what reading, computing and storing give, for halves, indices out of range, zero
' divisors and NaN.
VAR a[8], i, n, z, k
WHILE i < 8
i = i + 1
a[i] = a[i] + i * 3
a[i] = a[i] - 1.5
a[i] = a[i] * i
a[i] = a[i] / 4
WEND
WHILE n < 3
n = n + 1
i = 2.5
a[i] = a[i] + 100
i = 9
a[i] = a[i] + 1
i = 0 - 1
a[i] = a[i] - 1
a[n] = a[n] / z
i = 7
a[i] = a[i] * (z / z)
WEND
WHILE k < 9
PRINT 0, k, a[k]
k = k + 1
WEND
