' GOTO loops run as regions compiled from their label: each turn takes the ways the first turns
' took, and later turns take new ones (a branch first taken after hundreds of turns, a call, a
' GOTO into a loop's body, a GOTO out of one), which remakes the region.
VAR n, s, k, j, w, t
LABEL again
n = n + 1
s = s + n
IF n = 300
k = k + 1000
ENDIF
IF n > 600 & n < 605
bump()
ENDIF
IF n = 700 : GOTO inside : ENDIF
j = 0
WHILE j < 3
j = j + 1
LABEL inside
w = w + j
IF n = 800 & j = 2 : GOTO out : ENDIF
WEND
LABEL out
IF n < 1000 : GOTO again : ENDIF
PRINT 0, 0, n
PRINT 0, 1, s
PRINT 0, 2, k
PRINT 0, 3, w
PRINT 0, 4, t
t = 0
LABEL count
t = t + 1
IF t < 5 : GOTO count : ENDIF
PRINT 0, 5, t
GOTO last
FUNC bump()
k = k + 1
ENDFN
LABEL last
