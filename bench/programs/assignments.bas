' 200,000 passes of a loop whose body is 33 assignments in a row: the statement loop goes
' from one assignment straight to the next, so they run as two compiled programs (32 and 1).
VAR i, x1, v1, x2, v2, x3, v3, x4, v4, x5, v5, x6, v6, x7, v7, x8, v8
WHILE i < 200000
i = i + 1
x1 = x1 + v1
v1 = v1 * 0.5 + 1
x1 = x1 - v1 / 4
v1 = v1 - x1 * 0.001
x2 = x2 + v2
v2 = v2 * 0.5 + 2
x2 = x2 - v2 / 4
v2 = v2 - x2 * 0.001
x3 = x3 + v3
v3 = v3 * 0.5 + 3
x3 = x3 - v3 / 4
v3 = v3 - x3 * 0.001
x4 = x4 + v4
v4 = v4 * 0.5 + 4
x4 = x4 - v4 / 4
v4 = v4 - x4 * 0.001
x5 = x5 + v5
v5 = v5 * 0.5 + 5
x5 = x5 - v5 / 4
v5 = v5 - x5 * 0.001
x6 = x6 + v6
v6 = v6 * 0.5 + 6
x6 = x6 - v6 / 4
v6 = v6 - x6 * 0.001
x7 = x7 + v7
v7 = v7 * 0.5 + 7
x7 = x7 - v7 / 4
v7 = v7 - x7 * 0.001
x8 = x8 + v8
v8 = v8 * 0.5 + 8
x8 = x8 - v8 / 4
v8 = v8 - x8 * 0.001
WEND
PRINT 0, 0, x1 + x8
