' Run-time errors inside loops whose code is made: each ends its run where the statement loop
' would, with the values assigned before it kept. The main run fails first; then each event
' runs a handler that fails in its own way, and the last one shows what the others left.
VAR i, n, r, m, x
STR s
GOTO start
' Calls nest until the limit from inside a loop: the handler's loop calls deep(), whose own
' loop calls deep() again before it ever reaches its WEND. Each call adds 1 to n.
WINMSG WMKEYDOWN
PRINT 1, i, s
r = 0
WHILE r < 5
r = r + 1
IF r = 3 : deep() : ENDIF
WEND
PRINT 1, 99, "not reached"
ENDWM
' A call of a function that does not exist, first made on the fourth turn.
WINMSG WMKEYUP
PRINT 2, 0, n
r = 0
WHILE r < 6
r = r + 1
PRINT 2, r, "turn"
IF r = 4 : Gee(x) : ENDIF
WEND
PRINT 2, 99, "not reached"
ENDWM
' A nested loop, first reached on the fourth turn, whose right operand is a text.
WINMSG WMCOMMAND
PRINT 3, 0, r
r = 0
WHILE r < 6
r = r + 1
PRINT 3, r, "turn"
IF r = 4
WHILE x < s
x = x + 1
WEND
ENDIF
WEND
PRINT 3, 99, "not reached"
ENDWM
WINMSG WMMOUSEMOVE
PRINT 4, 0, r
PRINT 4, 1, x
PRINT 4, 2, n
ENDWM
FUNC deep()
m = 0
WHILE m < 2
m = m + 1
n = n + 1
deep()
WEND
ENDFN
' The main run: a number where a text belongs on the sixth turn. s keeps its text.
LABEL start
WHILE i < 10
i = i + 1
s = s + "x"
IF i = 6 : s = 5 : ENDIF
n = n + 1
WEND
PRINT 0, 0, "not reached"
