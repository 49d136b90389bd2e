' "s = s + ..." may build on s's own text instead of a copy, but only when nothing after the
' first item reads s and nothing can stop the run halfway: each line here would lose s's text.
STR s, t
STR u[2]
VAR k
PTR q
GOTO start
WINMSG WMKEYDOWN
PRINT 3, 1, s
ENDWM
LABEL start
k = 2 : q = 3
s = "ab"
s = s + s : PRINT 1, 1, s
s = s + "-" + s : PRINT 1, 2, s
s = "abcd"
s = s + LSTR(s, k) : PRINT 1, 3, s
s = "abcd"
s = s + RSTR(s, q) : PRINT 1, 4, s
s = "abcd"
s = s + MSTR(s, 2, k) : PRINT 1, 5, s
' Reading another variable, or the array of the same name, leaves s free to be taken.
t = "xy"
s = s + t + LSTR(t, 1) : PRINT 2, 1, s
u = "p" : u[1] = "q"
u = u + u[1] + u[1] : PRINT 2, 2, u
s = "n"
k = 0
WHILE k < 4
k = k + 1
s = s + STRS(k)
WEND
PRINT 2, 3, s
' A number where a string belongs ends the run; s keeps its text for the handler.
s = "kept"
s = s + 5
PRINT 2, 4, "not reached"
