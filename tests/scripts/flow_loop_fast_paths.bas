' Loops whose body is one assignment turn in place once compiled, and a WEND goes back to its
' WHILE: the loops must count exactly as if each statement ran in turn.
VAR i, j, n, t
i = 0 : n = 0
WHILE i < 4
i = i + 1
n = n * 2 + i
WEND
PRINT 0, 1, i
PRINT 0, 2, n
' The compiled first assignment must not run when the condition fails at once.
WHILE i < 4
i = i + 1
WEND
PRINT 0, 3, i
' A body on the head's line.
i = 0
WHILE i < 5 : i = i + 2 : WEND
PRINT 0, 4, i
' Nested loops: each WEND goes back to its own WHILE.
i = 0 : t = 0
WHILE i < 3
i = i + 1
j = 0
WHILE j < i
j = j + 1
t = t * 2 + j - i
WEND
t = t + 100
WEND
PRINT 0, 5, t
' The same loop run again from the top: now every first assignment is known.
i = 0 : t = 0 : n = 0
LABEL again
WHILE i < 3
i = i + 1
j = 0
WHILE j < i
j = j + 1
t = t * 2 + j - i
WEND
t = t + 100
WEND
n = n + 1
i = 0
IF n < 2 : t = 0 : GOTO again : ENDIF
PRINT 0, 6, t
