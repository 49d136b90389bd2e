VAR i, j, k, n, c
WHILE i < 5 & j < 3
i = i + 1 : j = j + 1
WEND
PRINT 0, 1, i
i = 0 : j = 0
WHILE i < 2 | j < 4
i = i + 1 : j = j + 1
WEND
PRINT 0, 2, j
i = 5 : j = 0
WHILE i < 3
WHILE j < 2
j = j + 1
WEND
i = i + 1
WEND
PRINT 0, 3, j
PRINT 0, 3, i
i = 0 : c = 0
WHILE i < 3
j = 0
WHILE j < 4
j = j + 1 : c = c + 1
WEND
i = i + 1
WEND
PRINT 0, 4, c
i = 0
WHILE i < 3
i = i + 1
WEND PRINT 0, 5, "not shown"
PRINT 0, 5, i
i = 0
WHILE i ! 3
i = i + 1
WEND
PRINT 0, 6, i
i = 0 : n = 4
WHILE i < n
i = i + 1
WEND
PRINT 0, 7, i
i = 0
WHILE i = 0
i = 7
WEND
PRINT 0, 8, i
i = 0
WHILE i < 2.5
i = i + 1
WEND
PRINT 0, 9, i
i = 0 : n = 0
WHILE i > 5 | n = 0
n = n + 1
WEND
PRINT 0, 10, n
GOTO inloop
WHILE i < 0
LABEL inloop
PRINT 0, 11, "in body"
WEND
PRINT 0, 11, "after wend"
k = 0
LABEL top
k = k + 1
WHILE k < 5000
GOTO out
WEND
LABEL out
IF k < 1100 : GOTO top : ENDIF
PRINT 0, 12, k
i = 0
WHILE i < 3
i = i + 1
WEND
PRINT 0, 13, i
WHILE i < 0
PRINT 0, 14, "WEND"
WEND
PRINT 0, 14, "after"
