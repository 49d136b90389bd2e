' Assignments in a row run as one program of up to 32: each must store before the next reads,
' a PTR must round as it stores, and the run must end where the statements stop being
' "name = sum" for a VAR or PTR variable.
VAR a, b, c, x, y
PTR p, q
STR s
VAR e[2]
a = 1
b = a + 2
p = b / 2
a = p - b
q = a * 2.5
b = q - a
p = 3.5
q = p / 4
a = a * 10 + p
b = b * 10 + q
p = 0 - 2.5
a = a * 10 + p
q = 7 / 2
b = b - q * 100
c = 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
c = c * 2 - 1
c = c * 2 + 1
x = c - a
y = x / b
PRINT 0, 1, a
PRINT 0, 2, b
PRINT 0, 3, c
PRINT 0, 4, x
PRINT 0, 5, y
PRINT 0, 6, p
PRINT 0, 7, q
' The run stops before a STR assignment, an element and a statement, and goes on after them.
a = 5 : s = "t" : b = a + 1 : e[1] = b : c = e[1] * 2 : PRINT 1, 1, c
PRINT 1, 2, s
' The token after an expression is passed over unread, whatever it is.
y = 0
x = 2 , y = 9
PRINT 1, 3, x
PRINT 1, 4, y
' A merged run entered in its middle runs from there.
a = 0 : b = 0 : c = 0
GOTO second
a = 1
LABEL second
b = a + 2
c = b * 3
PRINT 1, 5, a
PRINT 1, 6, c
