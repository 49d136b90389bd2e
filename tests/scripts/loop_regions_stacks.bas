' The loop and return stacks in compiled loops. An inner loop whose body is one assignment,
' skipped from turn 3 on because its condition fails at once, leaves nothing on the loop
' stack. An ENDFN reached with no call open (by GOTO into a function's body, from turn 3 on)
' does nothing, and the statement after it on its line runs.
VAR i, j, t, n
WHILE i < 6
i = i + 1
j = i
WHILE j < 3
j = j + 1
WEND
t = t + i
WEND
PRINT 0, 1, t
PRINT 0, 2, j
i = 0
WHILE i < 5
i = i + 1
IF i = 1 : helper() : ENDIF
IF i > 2 : GOTO inside : ENDIF
n = n + 10
LABEL back
WEND
PRINT 0, 3, n
GOTO finish
FUNC helper()
LABEL inside
n = n + 1
ENDFN GOTO back
LABEL finish
