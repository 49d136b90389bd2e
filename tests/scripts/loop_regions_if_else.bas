' IF blocks inside loops that go round often enough to be compiled whole. Each branch is first
' taken on a late turn, after the loop's code was made without it; false scans stop at the
' first ELSE or ENDIF (nesting is not counted), and ELSE reads the outcome of whichever IF ran
' last, also an inner one.
VAR k, a, b, c, t
' A chain of IF/ELSE: the ELSE branch first runs on turn 3, the inner ELSE branch on turn 6.
' A true outer branch skips from its ELSE to the first ENDIF, the inner one.
WHILE k < 8
k = k + 1
IF k < 3
a = a + 1
ELSE
IF k < 6
b = b + 1
ELSE
c = c + 1
ENDIF
ENDIF
WEND
PRINT 0, 1, a
PRINT 0, 2, b
PRINT 0, 3, c
' A false outer IF scans to the inner ENDIF and runs the rest of the outer true branch; then
' its ELSE finds the outcome false and runs too. On turns 4 and 6 the outer IF holds but the
' inner one does not, so ELSE runs after the true branch; on turn 5 the inner IF holds and
' ELSE skips to ENDIF.
k = 0
WHILE k < 6
k = k + 1
IF k > 3
IF k = 5
t = t + 1
ENDIF
PRINT 10, k, "outer true"
ELSE
PRINT 20, k, "else"
ENDIF
WEND
PRINT 0, 4, t
' An IF whose condition starts with "[" and no element reads nothing: the outcome of the
' IF before it stands, here the last one of the turn before. It is false until turn 5 sets it.
k = 0
WHILE k < 6
IF [ = 5 ]
PRINT 30, k, "kept true"
ELSE
PRINT 40, k, "kept false"
ENDIF
k = k + 1
IF k > 3 : a = a + 100 : ENDIF
WEND
PRINT 0, 5, a
' An inner IF that turns true late changes the outcome the outer ELSE reads: until turn 4 the
' outer true branch is followed by the ELSE branch, from then on it is not.
k = 0 : b = 0 : c = 0
WHILE k < 7
k = k + 1
IF k > 0
IF k > 3 : b = b + 1 : ENDIF
ELSE
c = c + 1
ENDIF
WEND
PRINT 0, 6, b
PRINT 0, 7, c
' A loop inside a false branch: the scan for ELSE stops before the loop's own lines, and the
' loop inside the ELSE branch is a nested loop of the region.
k = 0 : t = 0
WHILE k < 5
k = k + 1
IF k = 3
PRINT 50, k, "three"
ELSE
a = 0
WHILE a < k
a = a + 1
t = t + a
WEND
ENDIF
WEND
PRINT 0, 8, t
