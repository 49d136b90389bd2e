' Element assignments, each run three times: the index is a number or a sum, rounded half to
' even; a PTR element rounds its value; an index outside 1..4096, NaN included, loses the
' write; a number index followed by more than "]" is not an assignment and stores nothing.
VAR a[8], i, k, n, zero
PTR q[8]
STR s[4]
WHILE k < 3
k = k + 1
i = k + 0.5
a[i] = a[i] + 10
a[k + 4] = k * 100 : q[i] = 2.5 * k
q[3] = q[3] + 1.5
a[0] = 7 : a[4097] = 7
i = zero / zero : a[i] = 99
a[3 + 1] = 5
s[k] = "x"
a[4.5] = a[4.5] + k : n = a[4] + a[5] + a[6] + a[7]
PRINT 200, k, n
n = a[1] + a[2] + a[3] : PRINT 0, k, n
n = q[1] + q[2] + q[3] : PRINT 100, k, n
WEND
n = a[0] + a[4097] + a[8] : PRINT 0, 9, n
