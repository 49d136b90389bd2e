' 15,000,000 passes of a WHILE loop with arithmetic.
VAR i, s
WHILE i < 15000000
i = i + 1
s = s + i * 2 - 1
WEND
PRINT 0, 0, s
