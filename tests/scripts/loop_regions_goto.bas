' GOTO inside, out of and into loops that are compiled whole: each jump goes where the
' statement loop goes, loops left by GOTO stay on the loop stack, and a WEND goes back to the
' WHILE on top of that stack, whichever loop it closes.
VAR i, j, n, s
' A GOTO over the rest of the body, first taken on turn 5.
WHILE i < 8
i = i + 1
IF i > 4 : GOTO skip : ENDIF
s = s + i
LABEL skip
n = n + 1
WEND
PRINT 0, 1, s
PRINT 0, 2, n
' Out of loop A into loop B on A's second turn; B goes round three times, then jumps back into
' A's body with B still open. A's WEND then goes to B's WHILE, which holds once more; when B
' ends, its line after WEND jumps into A's body again, and A goes on to its end.
i = 0 : j = 0 : n = 0
WHILE i < 6
i = i + 1
PRINT 1, i, "a"
IF i = 2 : GOTO intob : ENDIF
LABEL backa
n = n + 1
WEND
PRINT 1, 50, n
GOTO pastb
LABEL intob
WHILE j < 4
j = j + 1
PRINT 2, j, "b"
IF j = 3 : GOTO backa : ENDIF
WEND
PRINT 2, 60, "b done"
GOTO backa
LABEL pastb
' A GOTO into the body of a loop with no loop open: the inner loop goes round as usual, and
' the outer WEND does nothing, so the lines after it follow. Then the same loop from its
' WHILE (its code is made), and once more into its body.
i = 0 : s = 0 : n = 0
GOTO inbody
LABEL top2
WHILE i < 3
i = i + 1
LABEL inbody
j = 0
WHILE j < 4
j = j + 1
s = s + 1
WEND
s = s + 100
WEND
n = n + 1
PRINT 5, n, s
IF n = 1 : GOTO top2 : ENDIF
IF n = 2 : GOTO inbody : ENDIF
' A loop left by GOTO on its fourth turn, three times over: each leaves an entry on the loop
' stack, and the loop after them still counts its own turns.
n = 0 : s = 0
LABEL again
i = 0
WHILE i < 10
i = i + 1
s = s + 1
IF i = 4 : GOTO out : ENDIF
WEND
LABEL out
n = n + 1
IF n < 3 : GOTO again : ENDIF
j = 0
WHILE j < 5
j = j + 1
s = s + 10
WEND
PRINT 3, 1, s
' GOTO to the WEND of a loop that is not open, from the body of one that is: that WEND goes
' back to the open loop's WHILE, as a "next turn". First taken on turn 4.
i = 0 : s = 0
WHILE i < 6
i = i + 1
IF i > 3 : GOTO nextturn : ENDIF
s = s + i
WEND
PRINT 4, 1, s
GOTO pastc
j = 100
WHILE j < 0
j = j + 1
LABEL nextturn
s = s + 100
WEND
LABEL pastc
PRINT 4, 2, s
' An inner loop left by GOTO for a later line of the outer loop's body, both in one region: the
' outer WEND then finds the inner loop's WHILE on top of the loop stack and goes back there,
' not to its own WHILE; the inner loop's end comes back to the line after it. Each outer turn
' passes that line twice.
i = 0 : n = 0 : s = 0
WHILE i < 5
i = i + 1
j = 0
WHILE j < 3
j = j + 1
IF j = 2 : GOTO skipinner : ENDIF
WEND
LABEL skipinner
n = n + 1
s = s + j
WEND
PRINT 7, 1, n
PRINT 7, 2, s
' The script's last loop: its WEND is the last token, with no line end after it.
i = 0
WHILE i < 4
i = i + 1
PRINT 6, i, (i * i)
WEND