' String building: 100,000 one-character appends, and 20,000 numbers turned into text.
STR s, t
VAR i
WHILE i < 100000
i = i + 1
s = s + "x"
WEND
i = 0
WHILE i < 20000
i = i + 1
t = STRS(i)
WEND
PRINT 0, 0, t
