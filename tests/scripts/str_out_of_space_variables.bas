' Variables fill the string space: a copy that would pass the limit fails, and so does a
' text appended to a variable in place, which keeps the variable's text as it was.
STR s, t, v, u, w, a, b, c, d, e, f, g, h, j, k, l, m, n, o, p
VAR i, keys
GOTO start
WINMSG WMKEYDOWN
keys = keys + 1
IF keys = 1
t = t + v
ENDIF
w = LSTR(t, 4)
PRINT 0, 1, w
PRINT 0, 2, u
ENDWM
LABEL start
u = "kept"
s = "0123456789abcdef"
WHILE i < 20
i = i + 1
t = s
s = s + t
IF i = 19
v = t
ENDIF
WEND
a = s
b = s
c = s
d = s
e = s
f = s
g = s
h = s
j = s
k = s
l = s
m = s
n = s
o = s
p = s
PRINT 0, 0, "not reached"
