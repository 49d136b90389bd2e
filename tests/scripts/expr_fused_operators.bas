' Every fused operator, with operands that tell each operation and each operand order apart,
' the results of the general operators beside them, and non-finite values.
VAR a, b, z, n, big, x
VAR ar[2]
PTR p
a = 7 : b = 2 : z = 0 : n = 0 - 7 : big = 16777216 : p = 9 : ar[1] = 10
' A variable with a variable: kVarAddVar ... kVarDivideVar.
PRINT 1, 1, (a + b)
PRINT 1, 2, (a - b)
PRINT 1, 3, (b - a)
PRINT 1, 4, (a * b)
PRINT 1, 5, (a / b)
PRINT 1, 6, (b / a)
' A variable with a number: kVarAddNumber ... kVarDivideNumber.
PRINT 2, 1, (a + 3)
PRINT 2, 2, (a - 3)
PRINT 2, 3, (a * 3)
PRINT 2, 4, (a / 4)
PRINT 2, 5, (big + 1)
' A value that is not a variable with a variable: kAddVar ... kDivideVar.
PRINT 3, 1, (3 + b)
PRINT 3, 2, (10 - b)
PRINT 3, 3, (3 * b)
PRINT 3, 4, (3 / b)
PRINT 3, 5, (1 + big)
PRINT 3, 6, (ar[1] - a)
' The same with a number: kAddNumber ... kDivideNumber.
PRINT 4, 1, (p + 3)
PRINT 4, 2, (p - 3)
PRINT 4, 3, (p * 3)
PRINT 4, 4, (p / 4)
PRINT 4, 5, (ar[1] / 4)
PRINT 4, 6, (ar[1] - 0.5)
' Chains: a fused push, then fused and general operators after it.
PRINT 5, 1, (a - b - 1)
PRINT 5, 2, (a / b / 2)
PRINT 5, 3, (1 - a - b)
PRINT 5, 4, (a - b * 3)
PRINT 5, 5, (2 * a - b * 3)
PRINT 5, 6, (a / b - b / a)
' Division by zero, NaN and negative zero through the fused forms.
PRINT 6, 1, (a / z)
PRINT 6, 2, (n / z)
PRINT 6, 3, (z / z)
PRINT 6, 4, (n * z)
PRINT 6, 5, (z / n)
PRINT 6, 6, (p / 0)
PRINT 6, 7, (z / z - a)
PRINT 6, 8, (3 / z)
' The same operators in assignments, which compile as one program.
x = a - b : PRINT 7, 1, x
x = b / a * 7 : PRINT 7, 2, x
x = 100 - a - b : PRINT 7, 3, x
x = p / 4 - 1 : PRINT 7, 4, x
x = n - z : PRINT 7, 5, x
