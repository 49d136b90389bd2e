' Numbers computed inside a text expression run on the stack machine: every operator there,
' and a comparison joined to a comparison of texts.
VAR a, b, c
STR s, u
a = 7 : b = 2
s = "sum " + STRS(a + b)
PRINT 0, 0, s
s = "difference " + STRS(a - b)
PRINT 0, 20, s
s = "product " + STRS(a * b)
PRINT 0, 40, s
s = "quotient " + STRS(a / b)
PRINT 0, 60, s
s = "whole quotient " + STRS(a % b)
PRINT 0, 80, s
s = "power " + STRS(a ^ b)
PRINT 0, 100, s
s = "mixed " + STRS(a - 2 * b)
PRINT 0, 120, s
u = "x"
IF s = u | a > b
c = 1
ENDIF
PRINT 0, 140, c
