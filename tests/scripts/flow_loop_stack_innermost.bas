' Loops left with GOTO leave their marks on the loop stack. Past its 1024 places the oldest
' marks are dropped, so a loop entered afterwards still goes round by its own WEND.
VAR i, j, phase
LABEL again
i = i + 1
WHILE j < 1
GOTO out
WEND
LABEL out
IF phase = 1
PRINT 0, 0, "back in a loop left long ago"
GOTO finish
ENDIF
IF i < 1100
GOTO again
ENDIF
phase = 1
j = 0
WHILE j < 3
j = j + 1
PRINT 0, j, j
WEND
PRINT 0, 0, "done"
LABEL finish
