' Inside a loop compiled whole, an assignment and an IF whose expressions read texts run on
' the stack machine: each once per turn, with its own outcome.
VAR n, k, hits
STR s, u
s = "2"
u = "2"
WHILE k < 6
k = k + 1
n = n + VAL(s)
IF s = u
hits = hits + 1
ENDIF
IF k = 2
u = "3"
ENDIF
WEND
PRINT 0, 0, n
PRINT 0, 20, hits
